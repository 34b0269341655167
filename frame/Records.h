#pragma once

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
};

} // namespace ZarvLinesParm::frame
