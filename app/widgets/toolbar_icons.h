#pragma once
// The main toolbar's button pictures, painted by the program itself (no image files to ship):
// one icon per toolbar key, drawn at several sizes so they stay crisp on any screen.

#include <QIcon>
#include <QString>

namespace corvane::app {

// Keys: "新建" new, "打开" open, "保存" save, "打印" print, "ReadRadio", "CommSet", "WriteRadio",
// "CHCut", "CHCopy", "CHPaste", "CHDelete", "About". An unknown key gives an empty icon.
QIcon toolbarIcon(const QString& key);

} // namespace corvane::app
