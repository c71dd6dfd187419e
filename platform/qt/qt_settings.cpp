#include "qt_settings.h"

namespace velmora {

namespace {
QString keyPath(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}
} // namespace

QtSettings::QtSettings(const QString& programName) : settings_(QString::fromLatin1(kCompanyKey), programName) {}

std::string QtSettings::value(const std::string& section, const std::string& key, const std::string& fallback) const
{
    const QVariant stored = settings_.value(keyPath(section, key), QString::fromStdString(fallback));
    // A value typed into the settings file by hand with commas and no quotes reads
    // back as a list; it stays the text the user wrote instead of becoming empty.
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(QLatin1Char(',')).toStdString();
    return stored.toString().toStdString();
}

void QtSettings::setValue(const std::string& section, const std::string& key, const std::string& value)
{
    settings_.setValue(keyPath(section, key), QString::fromStdString(value));
    settings_.sync(); // stored at once: a crash later must not lose it
}

} // namespace velmora
