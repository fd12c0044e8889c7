#include "DefaultsBinding.h"

#include "app/settings/SettingsStore.h"
#include "windows/ValueTransformer.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <cmath>

namespace {

// Code style flags are stored as 0 and 1.
Value styleFlag(bool on)
{
    return Value::integer(on ? 1 : 0);
}

} // namespace

struct DefaultsBinding::Binding {
    QObject* control;
    SettingsKey key;
    std::optional<QVCodeStyle::Key> styleKey;
    Transformer transformer;
    // Puts a value into the control, with its signals blocked.
    std::function<void(const Value&)> put;
    // What the control holds, before the reverse transformation.
    std::function<Value()> take;
    Value shown;
};

DefaultsBinding::DefaultsBinding(UserDefaults& defaults, Dictionary initialValues, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_initialValues(std::move(initialValues))
{
}

DefaultsBinding::~DefaultsBinding()
{
    for (const UserDefaults::Token token : m_tokens)
        m_defaults.removeObserver(token);
}

DefaultsBinding::Binding& DefaultsBinding::add(QObject* control, const SettingsKey& key,
                                               std::optional<QVCodeStyle::Key> styleKey, Transformer transformer)
{
    m_bindings.push_back(std::make_unique<Binding>(Binding {control, key, styleKey, std::move(transformer), {}, {}, {}}));
    Binding* binding = m_bindings.back().get();
    // The observer delivers the current value at once, which fills the control.
    m_tokens.push_back(m_defaults.observe(key.name, [this, binding](const std::string&, const Value&) {
        if (binding->put)
            show(*binding);
    }));
    return *binding;
}

Value DefaultsBinding::shownValue(const Binding& binding) const
{
    Value value;
    if (binding.styleKey) {
        value = QVCodeStyle::merged(m_defaults.objectForKey(binding.key.name)).value(*binding.styleKey);
    } else {
        const SettingsStore store(m_defaults);
        switch (binding.key.type) {
        case SettingType::Boolean:
            if (const auto b = store.boolean(binding.key))
                value = Value::boolean(*b);
            break;
        case SettingType::Integer:
            if (const auto n = store.integer(binding.key))
                value = Value::integer(*n);
            break;
        case SettingType::Real:
            if (const auto d = store.real(binding.key))
                value = Value::real(*d);
            break;
        case SettingType::String:
            if (const auto s = store.string(binding.key))
                value = Value(*s);
            break;
        default:
            value = m_defaults.objectForKey(binding.key.name);
            break;
        }
        if (value.isNil())
            value = m_initialValues.get(binding.key.name);
    }
    return binding.transformer ? binding.transformer->transformedValue(value) : value;
}

void DefaultsBinding::show(Binding& binding)
{
    binding.shown = shownValue(binding);
    const QSignalBlocker blocker(binding.control);
    binding.put(binding.shown);
    // What the control made of the value is what a later commit compares against.
    binding.shown = binding.take();
}

void DefaultsBinding::commit(Binding& binding, const Value& controlValue)
{
    if (controlValue == binding.shown)
        return;
    binding.shown = controlValue;
    const Value stored = binding.transformer ? binding.transformer->reverseTransformedValue(controlValue) : controlValue;
    if (binding.styleKey)
        writeCodeStyle(*binding.styleKey, stored);
    else
        m_defaults.setObject(binding.key.name, stored);
    emit committed(binding.control);
}

void DefaultsBinding::writeCodeStyle(QVCodeStyle::Key key, const Value& value)
{
    // Only the changed entry is written; the rest of the stored style stays as it is.
    const std::string path = QVCodeStyle::keyPath(key);
    const std::size_t dot = path.find('.');
    const std::string groupName = path.substr(0, dot);
    const Value storedStyle = m_defaults.objectForKey(QVCodeStyle::kSettingsKey);
    Dictionary style = storedStyle.dictionary() ? *storedStyle.dictionary() : Dictionary();
    const Value storedGroup = style.get(groupName);
    Dictionary group = storedGroup.dictionary() ? *storedGroup.dictionary() : Dictionary();
    group.set(path.substr(dot + 1), value);
    style.set(groupName, Value(std::move(group)));
    m_defaults.setObject(QVCodeStyle::kSettingsKey, Value(std::move(style)));
}

void DefaultsBinding::commitEditing()
{
    for (const auto& binding : m_bindings) {
        if (qobject_cast<QLineEdit*>(binding->control))
            commit(*binding, binding->take());
        else if (auto* spin = qobject_cast<QSpinBox*>(binding->control))
            spin->interpretText();
    }
}

void DefaultsBinding::bindCheckBox(QAbstractButton* box, const SettingsKey& key)
{
    Binding& binding = add(box, key, std::nullopt, nullptr);
    binding.take = [box] { return Value::boolean(box->isChecked()); };
    binding.put = [box](const Value& value) { box->setChecked(value.boolValue()); };
    connect(box, &QAbstractButton::clicked, this, [this, &binding] { commit(binding, binding.take()); });
    show(binding);
}

void DefaultsBinding::bindComboIndex(QComboBox* combo, const SettingsKey& key, Transformer transformer)
{
    Binding& binding = add(combo, key, std::nullopt, std::move(transformer));
    binding.take = [combo] { return Value::integer(combo->currentIndex()); };
    binding.put = [combo](const Value& value) {
        const long long index = value.isNumber() ? value.integerValue() : 0;
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? static_cast<int>(index) : 0);
    };
    connect(combo, &QComboBox::activated, this, [this, &binding] { commit(binding, binding.take()); });
    show(binding);
}

void DefaultsBinding::bindComboData(QComboBox* combo, const SettingsKey& key)
{
    Binding& binding = add(combo, key, std::nullopt, nullptr);
    binding.take = [combo] { return Value::integer(combo->currentData().toLongLong()); };
    binding.put = [combo](const Value& value) {
        combo->setCurrentIndex(std::max(0, combo->findData(QVariant::fromValue(value.isNumber() ? value.integerValue() : 0))));
    };
    connect(combo, &QComboBox::activated, this, [this, &binding] { commit(binding, binding.take()); });
    show(binding);
}

void DefaultsBinding::bindButtonGroup(QButtonGroup* group, const SettingsKey& key)
{
    Binding& binding = add(group, key, std::nullopt, nullptr);
    const bool boolean = key.type == SettingType::Boolean;
    binding.take = [group, boolean] {
        return boolean ? Value::boolean(group->checkedId() != 0) : Value::integer(group->checkedId());
    };
    binding.put = [group](const Value& value) {
        QAbstractButton* button = group->button(value.isNumber() ? value.intValue() : 0);
        if (!button)
            button = group->button(0);
        if (button)
            button->setChecked(true);
    };
    connect(group, &QButtonGroup::idClicked, this, [this, &binding] { commit(binding, binding.take()); });
    show(binding);
}

void DefaultsBinding::bindSlider(QSlider* slider, const SettingsKey& key, Transformer transformer)
{
    Binding& binding = add(slider, key, std::nullopt, std::move(transformer));
    const bool real = key.type == SettingType::Real;
    binding.take = [slider, real] {
        return real ? Value::real(slider->value()) : Value::integer(slider->value());
    };
    binding.put = [slider](const Value& value) {
        const double v = value.isNumber() ? value.doubleValue() : slider->minimum();
        slider->setValue(static_cast<int>(std::lround(v)));
    };
    // Every write saves the file and re-applies the settings: a drag writes once, when
    // it ends; keyboard and wheel steps write each.
    connect(slider, &QSlider::sliderReleased, this, [this, &binding] { commit(binding, binding.take()); });
    connect(slider, &QSlider::valueChanged, this, [this, slider, &binding] {
        if (!slider->isSliderDown())
            commit(binding, binding.take());
    });
    show(binding);
}

void DefaultsBinding::bindSpinBox(QSpinBox* spin, const SettingsKey& key)
{
    followSpinBox(spin, add(spin, key, std::nullopt, nullptr));
}

void DefaultsBinding::bindCodeStyle(QAbstractButton* box, QVCodeStyle::Key key)
{
    Binding& binding = add(box, settingskeys::kCodeStyle, key, nullptr);
    binding.take = [box] { return styleFlag(box->isChecked()); };
    binding.put = [box](const Value& value) { box->setChecked(value.boolValue()); };
    connect(box, &QAbstractButton::clicked, this, [this, &binding] { commit(binding, binding.take()); });
    show(binding);
}

void DefaultsBinding::bindCodeStyle(QLineEdit* field, QVCodeStyle::Key key)
{
    Binding& binding = add(field, settingskeys::kCodeStyle, key, nullptr);
    binding.take = [field] { return Value(field->text().toStdString()); };
    binding.put = [field](const Value& value) {
        const std::string* text = value.string();
        field->setText(text ? QString::fromStdString(*text) : QString());
    };
    connect(field, &QLineEdit::editingFinished, this, [this, &binding] { commit(binding, binding.take()); });
    show(binding);
}

void DefaultsBinding::bindCodeStyle(QSpinBox* spin, QVCodeStyle::Key key)
{
    followSpinBox(spin, add(spin, settingskeys::kCodeStyle, key, nullptr));
}

void DefaultsBinding::followSpinBox(QSpinBox* spin, Binding& binding)
{
    binding.take = [spin] { return Value::integer(spin->value()); };
    binding.put = [spin](const Value& value) { spin->setValue(value.isNumber() ? value.intValue() : 0); };
    // Every write saves the file: typed digits count once the number is committed
    // (Return, focus leaving); arrow steps write each.
    spin->setKeyboardTracking(false);
    connect(spin, &QSpinBox::valueChanged, this, [this, &binding] { commit(binding, binding.take()); });
    show(binding);
}
