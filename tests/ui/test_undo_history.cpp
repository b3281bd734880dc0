// The rejection history on plain numbers: undo and redo hand back the states in order, and a new
// change ends what could be redone.
#include <gtest/gtest.h>

#include "ui/undo_history.h"

namespace sifton {
namespace {

TEST(UndoHistory, StepsBackAndForthThroughTheChangesAndANewChangeDropsTheRedo) {
    UndoHistory<int> history;  // states 0 -> 1 -> 2
    history.changed(0);
    history.changed(1);
    EXPECT_EQ(history.undo(2), 1);
    EXPECT_EQ(history.undo(1), 0);
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.redo(0), 1);
    EXPECT_EQ(history.redo(1), 2);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undo(2), 1);
    history.changed(1);  // 1 -> 5: state 2 can no longer come back
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undo(5), 1);
    EXPECT_EQ(history.undo(1), 0);
    history.clear();
    EXPECT_FALSE(history.canUndo() || history.canRedo());
}

}  // namespace
}  // namespace sifton
