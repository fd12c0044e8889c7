#pragma once

#include <QAbstractListModel>

class NJSearchArrayController;

// The rows of the format table as Qt's views read them: the controller's current
// objects, the format name as display text.
class NJFormatListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit NJFormatListModel(QObject* parent = nullptr);

    void setContentController(const NJSearchArrayController* controller);
    // The rows changed as a whole; views read them again.
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const NJSearchArrayController* m_controller = nullptr;
};
