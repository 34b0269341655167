#include "frame/forms/ParmDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace ZarvLinesParm::frame {
namespace {

QPushButton* commandButton(QWidget* parent, const char* objectName, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    // Neither default nor auto-default: Enter must press nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

ParmDialog::ParmDialog(const QString& objectName, const QString& designTitle)
    : QDialog(nullptr)
{
    setObjectName(objectName);
    setWindowTitle(designTitle);
    setSizeGripEnabled(false);

    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    grid_ = new QGridLayout;
    outer->addLayout(grid_);

    ok_ = commandButton(this, "Command1", QStringLiteral("OK"));
    cancel_ = commandButton(this, "Command2", QStringLiteral("Cancel"));
    saveAsDefault_ = commandButton(this, "Command3", QStringLiteral("Save as Default"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(saveAsDefault_);
    outer->addLayout(buttons);

    // Nothing may throw out of a Qt handler; the buttons only read controls and copy records.
    connect(ok_, &QPushButton::clicked, this, [this] { ok(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(saveAsDefault_, &QPushButton::clicked, this, [this] { saveAsDefault(); });
}

ParmDialog::~ParmDialog() = default;

void ParmDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // QDialog would press the default button or reject; these dialogs do neither.
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace ZarvLinesParm::frame
