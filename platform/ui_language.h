#pragma once
// The program speaks Chinese whatever the locale, Qt's own texts (the standard buttons 确定, 是,
// 否, 取消 of message boxes) included.
class QCoreApplication;

namespace muwu {

// Loads Qt's Chinese translations into app; false when they are not installed.
bool installQtChinese(QCoreApplication& app);

}  // namespace muwu
