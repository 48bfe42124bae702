#pragma once
// The settings store: the texts of the table of stored settings moved in and out of
// QSettings, an INI file with one group per section
// ($XDG_CONFIG_HOME/quantrel/quantrel.ini; the registry key "Software\quantrel" on
// Windows). Only texts pass here; their meaning is the core's.

#include "calculator/SettingsTable.h"

#include <QString>

namespace quantrel::gui {

class SettingsStore {
public:
    /// The store of this user; `iniPath` names another file (tests), empty for the
    /// user's own.
    explicit SettingsStore(QString iniPath = {});

    /// Every value of the table that the store holds, as text. A hand-edited value with
    /// unquoted commas, which QSettings reads as a list, is joined back with commas.
    SettingsTexts Read() const;
    /// Writes every value of `texts` that the table names, in the table's write order,
    /// and saves the file whole (QSettings writes through a temporary file). False,
    /// with the store's reason, when it could not be written.
    bool Write(const SettingsTexts& texts, QString* error = nullptr) const;

private:
    QString m_iniPath;
};

} // namespace quantrel::gui
