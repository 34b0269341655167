#include "frame/Preview.h"

#include "frame/ClassRegistry.h"
#include "frame/forms/Swatch.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtGlobal>

#include <exception>
#include <string>
#include <utility>

namespace ZarvLinesParm::frame {

void watchUserEdits(QWidget& dialog, std::function<void()> edited)
{
    // Signals a user raises, not the library's own setText and setChecked.
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) // a list's text field among them
        QObject::connect(box, &QLineEdit::textEdited, &dialog, edited);
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (!qobject_cast<QPushButton*>(button))
            QObject::connect(button, &QAbstractButton::clicked, &dialog, edited);
    for (QComboBox* list : dialog.findChildren<QComboBox*>())
        QObject::connect(list, &QComboBox::activated, &dialog, edited);
    for (Swatch* swatch : dialog.findChildren<Swatch*>())
        QObject::connect(swatch, &Swatch::colourChosen, &dialog, edited);
}

void callPreviewHandler(const PreviewHandler& registered, std::unique_ptr<Object> (*makeView)(), const Object*& view,
                        PreviewStage stage) noexcept
{
    try {
        // A copy: the handler may register another one, or remove itself, while it runs.
        const PreviewHandler handler = registered;
        const std::unique_ptr<Object> object = makeView();
        struct Viewing {
            const Object*& view;
            const Object* outer; // a handler's own event loop may run another preview meanwhile
            ~Viewing() { view = outer; }
        } viewing{view, std::exchange(view, object.get())};
        handler(*object, stage);
    } catch (const std::exception& e) {
        qWarning("ZarvLinesParm: the preview handler failed: %s", e.what());
    } catch (...) {
        qWarning("ZarvLinesParm: the preview handler failed with an exception of unknown type");
    }
}

} // namespace ZarvLinesParm::frame

namespace ZarvLinesParm {

void SetPreviewHandler(std::string_view progId, PreviewHandler handler)
{
    const frame::ClassEntry* entry = frame::findClass(progId);
    if (!entry)
        throw Error(429, std::string(progId));
    *entry->previewHandler = std::move(handler);
}

} // namespace ZarvLinesParm
