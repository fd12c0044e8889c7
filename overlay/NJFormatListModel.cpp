#include "NJFormatListModel.h"

#include "overlay/NJSearchArrayController.h"

NJFormatListModel::NJFormatListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void NJFormatListModel::setContentController(const NJSearchArrayController* controller)
{
    beginResetModel();
    m_controller = controller;
    endResetModel();
}

void NJFormatListModel::reload()
{
    beginResetModel();
    endResetModel();
}

int NJFormatListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_controller)
        return 0;
    return static_cast<int>(m_controller->currentObjectCount());
}

QVariant NJFormatListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !m_controller || index.row() < 0)
        return {};
    const auto format = m_controller->currentObjectAtIndex(static_cast<std::size_t>(index.row()));
    return format ? QVariant(QString::fromStdString(format->name())) : QVariant();
}
