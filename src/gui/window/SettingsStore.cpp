#include "window/SettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

#include <memory>

namespace quantrel::gui {

namespace {

std::unique_ptr<QSettings> open(const QString& iniPath) {
    if (!iniPath.isEmpty())
        return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\quantrel"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("quantrel"), QStringLiteral("quantrel"));
#endif
}

QString key(const SettingDef& row) {
    return QString::fromUtf8(row.Section.data(), static_cast<qsizetype>(row.Section.size())) +
           u'/' + QString::fromUtf8(row.Name.data(), static_cast<qsizetype>(row.Name.size()));
}

} // namespace

SettingsStore::SettingsStore(QString iniPath) : m_iniPath(std::move(iniPath)) {}

SettingsTexts SettingsStore::Read() const {
    const std::unique_ptr<QSettings> store = open(m_iniPath);
    SettingsTexts texts;
    for (const SettingDef& row : StoredSettings()) {
        const QVariant value = store->value(key(row));
        if (!value.isValid())
            continue;
        // "Length,lmi,lkm" typed without quotes reads as three strings.
        const QString text = value.typeId() == QMetaType::QStringList
                                 ? value.toStringList().join(u',')
                                 : value.toString();
        texts[{std::string(row.Section), std::string(row.Name)}] = text.toStdString();
    }
    return texts;
}

bool SettingsStore::Write(const SettingsTexts& texts, QString* error) const {
    std::unique_ptr<QSettings> store = open(m_iniPath);
    store->allKeys(); // QSettings reads its file on first use
    // QSettings keeps a file it cannot read as it is and refuses to write it; what it
    // held is lost already, so a new file takes its place.
    if (store->status() == QSettings::FormatError) {
        const QString name = store->fileName();
        store.reset();
        QFile::remove(name);
        store = open(m_iniPath);
    }
    for (const SettingDef* row : SettingsWriteOrder()) {
        const auto found = texts.find({std::string(row->Section), std::string(row->Name)});
        if (found != texts.end())
            store->setValue(key(*row), QString::fromStdString(found->second));
    }
    store->sync();
    if (store->status() == QSettings::NoError)
        return true;
    if (error)
        *error = store->status() == QSettings::AccessError
                     ? QStringLiteral("cannot write ") + store->fileName()
                     : QStringLiteral("the settings file is not in INI format");
    return false;
}

} // namespace quantrel::gui
