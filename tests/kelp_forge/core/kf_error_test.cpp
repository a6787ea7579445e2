#include "kelp_forge/core/kf_error.hpp"
#include "support/kf_error_recorder.hpp"

#include <gtest/gtest.h>

namespace Error = KelpForge::Core::Error;
using KelpForge::Testing::ErrorRecorder;

TEST(ErrorTest, NothingIsRecordedBeforeTheFirstFiredCheckAndAFalseCheckChangesNothing)
{
    EXPECT_EQ(Error::GetErrorLineNumber(), -1);
    EXPECT_EQ(Error::GetErrorFileName(), "");

    ErrorRecorder recorder;
    kf_error_if(false, "never %d", 1);
    EXPECT_TRUE(recorder.Messages().empty());
    EXPECT_EQ(Error::GetErrorLineNumber(), -1);
}

TEST(ErrorTest, AFiredCheckRecordsItsLocationAndReturnsWithoutHandlers)
{
    const int line = __LINE__ + 1;
    kf_error_if(true, "kfExternalError: value %d", 7);
    EXPECT_EQ(Error::GetErrorLineNumber(), line);
    EXPECT_EQ(Error::GetErrorFileName(), __FILE__);

    Error::TriggerError("without location");
    EXPECT_EQ(Error::GetErrorLineNumber(), 0);
    EXPECT_EQ(Error::GetErrorFileName(), "unknown file");
}

TEST(ErrorTest, HandlersReceiveTheFormattedMessageInRegistrationOrder)
{
    std::vector<std::string> order;
    struct NamedHandler : Error::ErrorHandlerInterface
    {
        NamedHandler(std::vector<std::string>& log, std::string name) : mLog(log), mName(std::move(name)) {}
        void OnErrorFired(const std::string& message) override { mLog.push_back(mName + ":" + message); }
        std::vector<std::string>& mLog;
        std::string mName;
    };
    NamedHandler first(order, "first");
    NamedHandler second(order, "second");
    Error::AddErrorHandler(&first);
    Error::AddErrorHandler(&second);

    kf_error("kfDataError: %s has %d items", "sheet", 3);

    Error::RemoveErrorHandler(&first);
    Error::RemoveErrorHandler(&second);
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], "first:kfDataError: sheet has 3 items");
    EXPECT_EQ(order[1], "second:kfDataError: sheet has 3 items");
}

TEST(ErrorTest, RemovingAHandlerRemovesEveryRegistrationAndUnknownHandlersAreIgnored)
{
    ErrorRecorder recorder;
    ErrorRecorder twice;
    Error::AddErrorHandler(&twice);
    Error::RemoveErrorHandler(&twice);
    kfImplementation::ExceptionalErrorHandler neverRegistered;
    Error::RemoveErrorHandler(&neverRegistered);
    kf_error("gone");
    EXPECT_TRUE(twice.Messages().empty());
    EXPECT_EQ(recorder.Messages().size(), 1u);
}

TEST(ErrorTest, MessagesAreCutAt4095Characters)
{
    ErrorRecorder recorder;
    const std::string exact(4095, 'x');
    const std::string tooLong(5000, 'y');
    kf_error("%s", exact.c_str());
    kf_error("%s", tooLong.c_str());
    ASSERT_EQ(recorder.Messages().size(), 2u);
    EXPECT_EQ(recorder.Messages()[0], exact);
    EXPECT_EQ(recorder.Messages()[1], tooLong.substr(0, 4095));
}

TEST(ErrorTest, ThrowingModeThrowsInsteadOfCallingHandlers)
{
    ErrorRecorder recorder;
    Error::SetThrowingMode(true);
    try
    {
        kf_error_if(true, "kfError: thrown %d", 5);
        ADD_FAILURE() << "expected an exception";
    }
    catch (const kfImplementation::ExceptionalErrorHandler::ErroredException& exception)
    {
        EXPECT_STREQ(exception.what(), "kfError: thrown 5");
    }
    Error::SetThrowingMode(false);
    EXPECT_TRUE(recorder.Messages().empty());
}
