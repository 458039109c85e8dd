#include "PropertyBag.h"

PropertyBag::~PropertyBag() = default;

VariantMapPropertyBag::VariantMapPropertyBag(const QVariantMap& values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_values.insert(it.key().toLower(), it.value());
}

QVariant VariantMapPropertyBag::read(const QString& name, const QVariant& defaultValue) const
{
    return m_values.value(name.toLower(), defaultValue);
}

void VariantMapPropertyBag::write(const QString& name, const QVariant& value, const QVariant& defaultValue)
{
    const QString key = name.toLower();
    if (defaultValue.isValid() && value == defaultValue)
        m_values.remove(key);
    else
        m_values.insert(key, value);
}

bool VariantMapPropertyBag::contains(const QString& name) const
{
    return m_values.contains(name.toLower());
}
