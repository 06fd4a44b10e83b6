#pragma once
// What a screen reader is told about the windows' own kinds of control: a FitLabel is read with
// what it stands for, a TextLabel by its text, both also through the text interface; a PressLabel
// as a button (or link) that can be pressed; and windows (a window or a dialog) or frames marked by
// showOnlyShownChildren() list only their children that are not hidden (the invisible work area
// and hidden buttons are machinery, not controls).
class QWidget;

namespace muwu {

// Registers the interfaces with Qt's accessibility, once per program.
void installAccessibleInterfaces();

// root and every frame (QGroupBox) inside it list only the children they show.
void showOnlyShownChildren(QWidget* root);

}  // namespace muwu
