// The tables draw with the program's pens and brushes while the program
// runs and with their own before start-up and after exit: a table painted
// after the program was shut down in the same process (as a test executable
// run whole does) never selects a handle that exit deleted.
#include "platform/Gdi.h"
#include "services/AppPens.h"
#include "services/AppTesting.h"
#include "services/TableWindowSupport.h"

namespace {

class TableDrawingLifetimeTest : public AppFixture {};

bool AllLive(const TableDrawingSet& set) {
  for (HGDIOBJ handle : {static_cast<HGDIOBJ>(set.heading), static_cast<HGDIOBJ>(set.white),
                         static_cast<HGDIOBJ>(set.currentRow), static_cast<HGDIOBJ>(set.noFocusRow),
                         static_cast<HGDIOBJ>(set.wideRow), static_cast<HGDIOBJ>(set.black),
                         static_cast<HGDIOBJ>(set.lightGrey), static_cast<HGDIOBJ>(set.yellow),
                         static_cast<HGDIOBJ>(set.nullPen)})
    if (GetObjectType(handle) == 0) return false;
  return true;
}

TEST_F(TableDrawingLifetimeTest, HandlesFollowTheProgramsStartAndExit) {
  const TableDrawingSet before = TableDrawing();
  ASSERT_TRUE(AllLive(before));
  InitApplication("");
  const TableDrawingSet running = TableDrawing();
  EXPECT_TRUE(AllLive(running));
  EXPECT_EQ(running.currentRow, Pens().yellowBrush);  // the program's own while it runs
  CloseAndExit();
  const TableDrawingSet after = TableDrawing();
  EXPECT_TRUE(AllLive(after)) << "a table would draw with a deleted pen or brush";
  EXPECT_EQ(after.currentRow, before.currentRow);
}

}  // namespace
