// Parameter files: the panel's settings as antraid-script lines.
//
// A file holds a comment header (the program's version and the date it was
// saved), then one `type` line for each text box the user edits (the boxes
// with a change rule), one `scroll` line for each scroll bar, and one `click`
// line for each check box whose state differs from a freshly opened window's.
// The lines come in an order in which the panel's rules rebuild the state in
// a freshly opened window: world size before the colony position, the number
// of ants before the tracked ant (after it when the tracked ant's number is
// larger, as that order alone keeps it), the time step before the
// velocities and the save interval, the file path and name before the save
// check box. antraid-script runs the same file unchanged.
//
// What is saved is what the panel shows: a value a rule refused stands in its
// box as it stood; the value the program holds behind it is not part of the
// file, except for the world height, typed first when a refused height
// stands in its box, as it sets the colony position's range. A line break in a box's text (a script line cannot carry one) is
// saved as a blank.
#pragma once

#include <string>
#include <string_view>

namespace antraid {

class MainForm;

// The file's text for the form's panel, its header naming `date`.
std::string ParameterText(const MainForm& form, std::string_view date);

// The local date and time as a file's header names it: "2026-12-06 14:03".
std::string LocalDateText();

// The name with ".script" added when it has none: "run" is "run.script",
// "run.txt" and "a.b/run.txt" stay as they are.
std::string WithScriptExtension(const std::string& path);

// Writes the form's panel to path (with ".script" added when the name has no
// extension), dated now. A file that cannot be written leaves a message in
// the Messages box; false then.
bool SaveParameters(MainForm& form, const std::string& path);

// Reads the whole file first: when any line is not a panel setting (`type`
// into a text box the user edits, `scroll` to a whole number, `click` on a
// check box) or the file cannot be read, the Messages box names the file and
// the line and nothing is performed; false then. Otherwise performs the
// lines as the user's actions through form.actions, so that every rule,
// refusal and question applies (and a session recorder hears them),
// skipping comments and blank lines, and tells the form's listeners (the
// window's message log) "Parameters loaded from FILE"; the Messages box
// shows what the rules wrote.
// Check boxes end as the file says: a `click` line means "not as in a fresh
// window", a check box without one goes back to its fresh state (clicked
// before the file's lines). A name without an extension that names no file
// opens the name with ".script" added.
bool OpenParameters(MainForm& form, const std::string& path);
// The same for a file's text; `fileName` names it in the messages.
bool PerformParameters(MainForm& form, std::string_view text, std::string_view fileName);

// The file of a freshly opened window's panel.
const std::string& InitialParameterText();
// Performs the edits that bring the panel back to a freshly opened window's
// values, as opening InitialParameterText() does (through the rules, heard
// by a session recorder), then tells the listeners "Initial parameters
// restored".
bool RestoreInitialParameters(MainForm& form);

}  // namespace antraid
