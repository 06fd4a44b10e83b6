#pragma once
// The download window's three command buttons, made in this one place. What the window needs of
// them is a Click signal, a Caption, Enabled and a Value that presses them from code.
#include <QString>

#include "controls/mw_button.h"

namespace muwu {

using DownloadButton = MWButton;

[[nodiscard]] DownloadButton* makeDownloadButton(QWidget* parent, const QString& name,
                                                 const QString& caption);

}  // namespace muwu
