#pragma once
#include <string>

std::string SettingsFilePath();
std::string ReadSetting(const std::string& section, const std::string& key,
                        const std::string& fallback);
void WriteSetting(const std::string& section, const std::string& key, const std::string& value);
void ApplySavedSettings();
void SaveSettings();
