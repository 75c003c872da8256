#pragma once

#include <QString>

namespace parlumo {

// The settings file "ovarn.ini" with the profile-file rules: sections and keys matched without
// regard to case, the value after the first "=" with surrounding blanks removed (at most 2047
// characters), the caller's default when the file, section or key is missing, GBK text. A write
// creates what is missing, replaces an existing value, keeps every other line byte for byte and
// goes through a temporary file renamed into place. Nothing is cached: each call reads the file.
class Settings {
public:
    explicit Settings(QString filePath);

    QString
    ReadSetting(const QString& section, const QString& key, const QString& fallback = QString()) const;
    // Raises Error naming the file when it cannot be written.
    void WriteSetting(const QString& section, const QString& key, const QString& value) const;

    const QString& filePath() const { return filePath_; }

private:
    QString filePath_;
};

inline constexpr qsizetype kSettingValueMaxChars = 2047;

} // namespace parlumo
