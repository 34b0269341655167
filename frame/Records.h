#pragma once

#include <ZarvLinesParm/Object.h>
#include <ZarvLinesParm/Preview.h>

#include <memory>

namespace ZarvLinesParm::frame {

/// The two records of a class: library-wide, zeroed when the library is loaded, shared by
/// every instance. The setters write the parameter record, the getters read the working
/// record; `Start` copies the first over the second and the dialog edits the second.
///
/// A tool keeps its pair in a variable of static storage in its own file, so it is
/// zero-initialised at load and lives until the library is unloaded.
template <class Record>
struct Records {
    Record parameter{};
    Record working{};
    /// A dialog of this class is on the screen: a second `Start` fails with error 400.
    bool showing = false;

    /// The host's live preview: its handler (empty: none), how to make an object of the class
    /// for it to read through, and while it runs that object and the record its getters read.
    PreviewHandler previewHandler;
    std::unique_ptr<Object> (*makeView)() = nullptr;
    const Object* view = nullptr;
    Record preview{};

    /// The record the getters of `caller` read: the preview for the view, else the working record.
    const Record& readBy(const Object* caller) const { return view && caller == view ? preview : working; }
};

} // namespace ZarvLinesParm::frame
