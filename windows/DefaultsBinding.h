#pragma once

#include "app/settings/SettingsKey.h"
#include "formats/processor/QVCodeStyle.h"
#include "foundation/Dictionary.h"
#include "foundation/UserDefaults.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QSlider;
class QSpinBox;
class ValueTransformer;

// Binds controls to settings. A control shows the stored value (through its
// transformer), follows changes made elsewhere and writes only what the user commits:
// a slider when it is released, a text field when editing ends. A stored value of the
// wrong kind shows as the default and stays in the file until the user changes it.
// Code style entries are bound inside the "codeStyle" dictionary.
class DefaultsBinding final : public QObject {
    Q_OBJECT
public:
    // `initialValues` stand in where neither a stored nor a registered value is usable.
    DefaultsBinding(UserDefaults& defaults, Dictionary initialValues, QObject* parent = nullptr);
    ~DefaultsBinding() override;

    using Transformer = std::shared_ptr<const ValueTransformer>;

    void bindCheckBox(QAbstractButton* box, const SettingsKey& key);
    // The current index is the (transformed) value.
    void bindComboIndex(QComboBox* combo, const SettingsKey& key, Transformer transformer = nullptr);
    // The value is the item data of the current item.
    void bindComboData(QComboBox* combo, const SettingsKey& key);
    // The value is the id of the checked button.
    void bindButtonGroup(QButtonGroup* group, const SettingsKey& key);
    void bindSlider(QSlider* slider, const SettingsKey& key, Transformer transformer = nullptr);
    void bindSpinBox(QSpinBox* spin, const SettingsKey& key);

    void bindCodeStyle(QAbstractButton* box, QVCodeStyle::Key key);
    void bindCodeStyle(QLineEdit* field, QVCodeStyle::Key key);
    void bindCodeStyle(QSpinBox* spin, QVCodeStyle::Key key);

    // Writes what text and number fields hold and have not committed yet.
    void commitEditing();

signals:
    // A user change of the control was written.
    void committed(QObject* control);

private:
    struct Binding;

    Binding& add(QObject* control, const SettingsKey& key, std::optional<QVCodeStyle::Key> styleKey,
                 Transformer transformer);
    // The stored value as the control shows it; nil when there is none to show.
    Value shownValue(const Binding& binding) const;
    void show(Binding& binding);
    void followSpinBox(QSpinBox* spin, Binding& binding);
    // Writes the control's value when it differs from what was shown.
    void commit(Binding& binding, const Value& controlValue);
    void writeCodeStyle(QVCodeStyle::Key key, const Value& value);

    UserDefaults& m_defaults;
    Dictionary m_initialValues;
    std::vector<std::unique_ptr<Binding>> m_bindings;
    std::vector<UserDefaults::Token> m_tokens;
};
