// Server faults end to end: for each, the window stays alive, its log says what happened and
// the stream comes through again once the server is back.
#include "support/fault_matrix.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

class FaultMatrixTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultMatrixTest, WindowReportsTheFaultAndStreamsAgain)
{
    FaultRun run(GetParam());
    QString why;
    ASSERT_TRUE(run.Start(why)) << why.toStdString();
    ASSERT_TRUE(run.Fault(why)) << why.toStdString();
    ASSERT_TRUE(run.Recover(why)) << why.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Server, FaultMatrixTest, ::testing::ValuesIn(FaultCases()),
                         [](const ::testing::TestParamInfo<FaultCase> &info) { return std::string(info.param.name); });

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
