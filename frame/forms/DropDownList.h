#pragma once

#include <QComboBox>

namespace ZarvLinesParm::frame {

/// A drop-down list with an editable text field. Its selected position is the entry last
/// chosen from the list (or selected by code), and -1 as soon as the user edits the text,
/// until an entry is chosen again. Typed text never becomes a new entry, and never selects
/// one, not even an entry of the very same text.
class DropDownList : public QComboBox {
public:
    explicit DropDownList(QWidget* parent);

    /// Selects entry `position` (its text goes into the text field); -1 selects none and
    /// empties the field.
    void setListIndex(int position);
    int listIndex() const { return listIndex_; }

private:
    int listIndex_ = -1;
};

} // namespace ZarvLinesParm::frame
