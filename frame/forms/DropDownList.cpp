#include "frame/forms/DropDownList.h"

#include <QLineEdit>

namespace ZarvLinesParm::frame {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // no completion behind the user's back: what is typed is what stands
    // Nor a selection behind it: when editing ends, QComboBox selects an entry whose text equals
    // the typed text. Typed text must leave the position at -1, so that reaction goes.
    disconnect(lineEdit(), &QLineEdit::editingFinished, nullptr, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& typed) {
        if (currentIndex() < 0)
            return;
        // Deselecting puts the empty entry's text into the field: the user's text goes back,
        // with the cursor where it was.
        const int cursor = lineEdit()->cursorPosition();
        setCurrentIndex(-1);
        lineEdit()->setText(typed);
        lineEdit()->setCursorPosition(cursor);
    });
}

void DropDownList::setListIndex(int position)
{
    setCurrentIndex(position);
    if (currentIndex() < 0)
        setEditText(QString());
}

} // namespace ZarvLinesParm::frame
