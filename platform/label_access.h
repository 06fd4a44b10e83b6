#pragma once
// Labels whose text is what they say (a status line, a size): a screen reader gets that text as
// the label's name and through the Text interface, which lets it read the text piece by piece.
class QLabel;

namespace muwu {

// Marks the label; its text, whatever it becomes, is what it tells a screen reader.
void exposeLabelText(QLabel* label);

}  // namespace muwu
