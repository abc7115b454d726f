#pragma once

#include <QString>
#include <functional>
#include <string>

class QMenu;
class QMenuBar;
class QWidget;

namespace velmora {

class CommandRegistry;

// Fills `bar` with the window's menus, each holding its commands: ファイル
// (with the recent documents), 編集, 演奏, 設定 (ending with `languageMenu`) and ヘルプ.
void buildMenuBar(QMenuBar& bar, const CommandRegistry& commands, QMenu& languageMenu);

// The language choice of the settings menu. The choice is kept in the global
// settings file at `globalSettingsPath` and applies at the next start: the
// window builds its texts once, and a half-translated window would be worse
// than waiting. `notice` says so, or that the choice could not be kept.
QMenu* makeLanguageMenu(QWidget& parent, const std::string& globalSettingsPath,
                        std::function<void(const QString&)> notice);

// The About box: the version and the licences of what the program ships.
void showAboutBox(QWidget& parent);

}  // namespace velmora
