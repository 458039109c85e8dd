#pragma once
// The store a host saves the control's properties in: read and write by name,
// names matched without regard to case, and a value equal to the default it is
// written with left out of the store.
#include "CalvendraExport.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

class CALVENDRA_EXPORT PropertyBag {
public:
    virtual ~PropertyBag();
    // The stored value, or the default when the name is not stored.
    virtual QVariant read(const QString& name, const QVariant& defaultValue = QVariant()) const = 0;
    // Stores the value; with a valid default equal to it, removes the name instead.
    virtual void write(const QString& name, const QVariant& value, const QVariant& defaultValue = QVariant()) = 0;
};

// A property bag held in memory, keys kept in lower case (as hosts store them).
class CALVENDRA_EXPORT VariantMapPropertyBag : public PropertyBag {
public:
    VariantMapPropertyBag() = default;
    explicit VariantMapPropertyBag(const QVariantMap& values);

    QVariant read(const QString& name, const QVariant& defaultValue = QVariant()) const override;
    void write(const QString& name, const QVariant& value, const QVariant& defaultValue = QVariant()) override;

    bool contains(const QString& name) const;
    const QVariantMap& values() const { return m_values; }

private:
    QVariantMap m_values;
};
