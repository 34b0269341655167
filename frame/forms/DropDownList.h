#pragma once

#include <QComboBox>

namespace ZarvLinesParm::frame {

/// A drop-down list with an editable text field. Its selected position (the QComboBox's own
/// current index, as assistive technology sees it) is the entry last chosen from the list (or
/// selected by code), and -1 from the user's first edit of the text, which stays as typed,
/// until an entry is chosen again. Typed text never becomes a new entry, and never selects one,
/// not even an entry of the very same text.
class DropDownList : public QComboBox {
    Q_OBJECT

public:
    explicit DropDownList(QWidget* parent);

    /// Selects entry `position` (its text goes into the text field); -1 selects none and
    /// empties the field.
    void setListIndex(int position);
    int listIndex() const { return currentIndex(); }
};

} // namespace ZarvLinesParm::frame
