#include "fake_win32.h"
#include "forms/reader_notice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const HWND kTaxBox = reinterpret_cast<HWND>(0x5150);

// The platform's services as a test scripts them: each records its call in
// the fake's log, among the platform calls, and answers as scripted.
bool markingWorks = true;
bool notifyingWorks = true;
std::vector<std::wstring> said;

bool MarkPolite(HWND window) {
    fake::Record("markPoliteLiveRegion", {reinterpret_cast<long long>(window)});
    return markingWorks;
}

bool Notify(HWND window, const std::wstring& text) {
    fake::Record("notify", {reinterpret_cast<long long>(window)});
    said.push_back(text);
    return notifyingWorks;
}

class ReaderNotice : public testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        markingWorks = true;
        notifyingWorks = true;
        said.clear();
    }
};

const std::vector<long long> kLiveRegionChanged = {EVENT_OBJECT_LIVEREGIONCHANGED, 0x5150, OBJID_CLIENT, CHILDID_SELF};

// Whatever the platform lacks or fails at, the live region's change is
// raised; the region is marked polite before its first change, and the text
// is said after it.
TEST_F(ReaderNotice, EveryPlatformRaisesTheChange) {
    struct Case {
        const char* platform;
        forms::ReaderServices services;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"both services", {MarkPolite, Notify}, {"markPoliteLiveRegion", "NotifyWinEvent", "notify"}},
        {"no annotation (before Windows XP's oleacc 2)", {nullptr, Notify}, {"NotifyWinEvent", "notify"}},
        {"no notifications (before Windows 10 1709)", {MarkPolite, nullptr}, {"markPoliteLiveRegion", "NotifyWinEvent"}},
        {"neither", {nullptr, nullptr}, {"NotifyWinEvent"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.platform);
        fake::ClearCalls();
        said.clear();
        forms::LiveRegion region;
        region.Changed(kTaxBox, c.services, L"الضريبة: 660");
        EXPECT_EQ(fake::CallNames(), c.calls);
        EXPECT_EQ(fake::CallsNamed("NotifyWinEvent")[0].args, kLiveRegionChanged);
        for (const fake::Call& call : fake::Calls()) EXPECT_EQ(call.args[call.name == "NotifyWinEvent"], 0x5150) << call.name;
        EXPECT_EQ(said, (c.services.notify ? std::vector<std::wstring>{L"الضريبة: 660"} : std::vector<std::wstring>{}));
    }
}

// The region is marked once: a platform that could not mark it is not asked
// again, and one that failed to notify still raises every later change.
TEST_F(ReaderNotice, MarkedOnceFailuresChangeNothingElse) {
    forms::ReaderServices services{MarkPolite, Notify};
    markingWorks = false;
    notifyingWorks = false;
    forms::LiveRegion region;
    region.Changed(kTaxBox, services, L"660");
    region.Changed(kTaxBox, services, L"1920");
    EXPECT_EQ(fake::CallNames(),
              (std::vector<std::string>{"markPoliteLiveRegion", "NotifyWinEvent", "notify", "NotifyWinEvent", "notify"}));
    EXPECT_EQ(said, (std::vector<std::wstring>{L"660", L"1920"}));
}

// A sentence alone is said without a change raised; an empty one is not said.
TEST_F(ReaderNotice, SayingAloneRaisesNoChange) {
    forms::ReaderServices services{MarkPolite, Notify};
    forms::SayPolitely(kTaxBox, services, L"اكتب القيمة السوقية للعقار أولاً");
    forms::SayPolitely(kTaxBox, services, L"");
    forms::SayPolitely(kTaxBox, forms::ReaderServices{}, L"لا شيء يقال");
    forms::LiveRegion region;
    region.Changed(kTaxBox, services, L"");
    EXPECT_EQ(fake::CallNames(), (std::vector<std::string>{"notify", "markPoliteLiveRegion", "NotifyWinEvent"}));
    EXPECT_EQ(said, (std::vector<std::wstring>{L"اكتب القيمة السوقية للعقار أولاً"}));
}

}  // namespace
