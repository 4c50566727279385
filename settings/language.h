#pragma once

// 0 before the main window's created event, then 1 Chinese or 2 English.
extern int LanguageMode;
inline bool English() { return LanguageMode == 2; }

void LoadSettingsAndLayout();
void ChangeLanguage();
