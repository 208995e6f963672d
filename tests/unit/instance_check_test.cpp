#include "fake_win32.h"
#include "forms/instance_check.h"

#include <gtest/gtest.h>

namespace {

const HANDLE kMutex = reinterpret_cast<HANDLE>(0x7070);

class InstanceCheck : public testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

TEST_F(InstanceCheck, TheFirstCopyCreatesTheMutexAndKeepsIt) {
    fake::script().createdMutex = kMutex;
    forms::InstanceClaim claim = forms::ClaimInstance(L"Local\\zemrana.exe.instance");
    EXPECT_FALSE(claim.anotherCopyRuns);
    EXPECT_EQ(claim.mutex, kMutex);
    auto created = fake::CallsNamed("CreateMutexW");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].text, "Local\\zemrana.exe.instance");
    EXPECT_EQ(created[0].args, (std::vector<long long>{0, FALSE}));  // not owned: it only marks the session
}

TEST_F(InstanceCheck, AMutexThatExistsMeansAnotherCopyRuns) {
    fake::script().createdMutex = kMutex;
    fake::script().mutexError = ERROR_ALREADY_EXISTS;
    forms::InstanceClaim claim = forms::ClaimInstance(L"Local\\zemrana.exe.instance");
    EXPECT_TRUE(claim.anotherCopyRuns);
    EXPECT_EQ(claim.mutex, kMutex);  // still this copy's to close
}

TEST_F(InstanceCheck, AMutexThatAnElevatedCopyMadeIsRefusedAndMeansAnotherCopyRuns) {
    fake::script().createdMutex = nullptr;
    fake::script().mutexError = ERROR_ACCESS_DENIED;
    forms::InstanceClaim claim = forms::ClaimInstance(L"Local\\zemrana.exe.instance");
    EXPECT_TRUE(claim.anotherCopyRuns);
    EXPECT_EQ(claim.mutex, nullptr);
}

TEST_F(InstanceCheck, OtherFailuresTellNothingAndTheProgramStarts) {
    constexpr DWORD kInvalidHandle = 6;  // the name belongs to an object of another kind
    fake::script().createdMutex = nullptr;
    fake::script().mutexError = kInvalidHandle;
    EXPECT_FALSE(forms::ClaimInstance(L"Local\\zemrana.exe.instance").anotherCopyRuns);
    // A created mutex with a stale access-denied error left by an earlier call is this copy's.
    fake::script().createdMutex = kMutex;
    fake::script().mutexError = ERROR_ACCESS_DENIED;
    EXPECT_FALSE(forms::ClaimInstance(L"Local\\zemrana.exe.instance").anotherCopyRuns);
}

}  // namespace
