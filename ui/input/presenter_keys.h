#pragma once

#include <Qt>

// The keys a presenter remote sends, turned into the draw's commands. The
// remote's forward button is Start/Stop; its back button is taken and does
// nothing, so a slip of the thumb neither draws nor scrolls; its black-screen
// button blanks the stage view; its slide-show button enters the stage view.
namespace presenter_keys {

enum class Command {
    None,       // not a remote command here: the key keeps its usual meaning
    Nothing,    // taken, does nothing
    StartStop,  // as Enter on the main window
    Blank,      // the stage view goes black
    Unblank,    // and shows the draw again
    EnterStage, // the stage view
    LeaveStage, // back to the normal window
};

// Where the key is pressed.
struct Scene
{
    bool stageShown = false;
    bool blanked = false;      // the stage view is black
    bool fieldFocused = false; // a text field has the focus (normal window only counts)
};

// What the key does. With Ctrl, Alt or Meta held no key is the remote's.
// While the stage is black, the remote's other keys first bring it back.
Command commandFor(int key, Qt::KeyboardModifiers modifiers, const Scene& scene);

// Keys of the remote that repeat when held: one press is one command.
bool isRemoteKey(int key);

} // namespace presenter_keys
