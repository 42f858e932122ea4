// The evaluation report's line buffer: lines stored with their kind,
// advanced, a gap that leaves no entry, writes past the 100th entry
// dropped, and a clear that empties every entry.
#include <gtest/gtest.h>

#include "evaluations/EvaluationReport.h"

namespace {

TEST(EvaluationReportTest, TheBufferKeepsAHundredLinesWithTheirKinds) {
  EvaluationReportClearLines();
  ASSERT_EQ(CurrentEvaluationOutput(), EvaluationOutput::Screen);
  EvaluationReportWriteLine("first");
  EvaluationReportGap();
  EvaluationReportSetLine("", kEvaluationHeadingRow);
  EvaluationReportEndLine();
  EvaluationReportSetLine("Bolt Stress ! 1 2 0.500 OK", kEvaluationCheckRow);
  EvaluationReportNextLine();
  ASSERT_EQ(EvaluationReportLineCount(), 3);
  EXPECT_EQ(EvaluationReportLineAt(0).text, "first");
  EXPECT_EQ(EvaluationReportLineAt(0).kind, kEvaluationPlainLine);
  EXPECT_EQ(EvaluationReportLineAt(1).kind, kEvaluationHeadingRow);
  EXPECT_EQ(EvaluationReportLineAt(2).kind, kEvaluationCheckRow);
  EXPECT_EQ(EvaluationReportLineAt(3).text, "");  // past the count: an empty line
  for (int i = 0; i < 150; ++i) EvaluationReportWriteLine("line " + std::to_string(i));
  EXPECT_EQ(EvaluationReportLineCount(), kEvaluationReportLines);
  EXPECT_EQ(EvaluationReportLineAt(99).text, "line 96");
  EvaluationReportClearLines();
  EXPECT_EQ(EvaluationReportLineCount(), 0);
  EvaluationReportNextLine();
  EXPECT_EQ(EvaluationReportLineAt(0).text, "");  // cleared, not the old text
}

}  // namespace
