#pragma once
// How the window's drop-down lists behave around their text, beyond what the toolkit does.
class QComboBox;

namespace zor::qt {

// While the list is open, Esc closes it and goes no further: the window's cancel button only
// sees the next Esc.
void fermerListeParEchap(QComboBox& liste);

// The open list is wide enough for its longest item, whatever the box's own width, and once an
// item is picked the edit field shows the start of its text.
void montrerTextesEntiers(QComboBox& liste);

}  // namespace zor::qt
