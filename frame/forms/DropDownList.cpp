#include "frame/forms/DropDownList.h"

#include <QLineEdit>

namespace ZarvLinesParm::frame {

DropDownList::DropDownList(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // no completion behind the user's back: what is typed is what stands
    // Nor a selection behind it: when editing ends, QComboBox selects an entry whose text equals
    // the typed text. Typed text must leave the position at -1, so that reaction goes.
    disconnect(lineEdit(), &QLineEdit::editingFinished, nullptr, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { listIndex_ = -1; });
    connect(this, &QComboBox::activated, this, [this](int position) { listIndex_ = position; });
}

void DropDownList::setListIndex(int position)
{
    setCurrentIndex(position);
    listIndex_ = currentIndex();
    if (listIndex_ < 0)
        setEditText(QString());
}

} // namespace ZarvLinesParm::frame
