// The direct caller: a failure is thrown from the call that failed, never from a later one.
#include <gtest/gtest.h>

#include <new>

#include "core/host/host_error.h"
#include "test_box.h"

namespace {

TEST(ScintillaCallTest, OnlyTheCallThatFailedThrows) {
    scintilla_test::TestBox box;
    const platform::scintilla::ScintillaCall& call = box.call();
    for (const int status : {SC_STATUS_FAILURE, SC_STATUS_BADALLOC}) {
        // Left by a message that reached Scintilla some other way, as typing does.
        box.send(SCI_SETSTATUS, static_cast<uptr_t>(status));
        EXPECT_NO_THROW(call(SCI_GETLENGTH)) << status;
        // A failure of the call itself, here the status it sets.
        if (status == SC_STATUS_BADALLOC)
            EXPECT_THROW(call(SCI_SETSTATUS, SC_STATUS_BADALLOC), std::bad_alloc);
        else
            EXPECT_THROW(call(SCI_SETSTATUS, SC_STATUS_FAILURE), host::HostError);
        EXPECT_NO_THROW(call(SCI_GETLENGTH)) << status;
    }
    // A warning is no failure.
    EXPECT_NO_THROW(call(SCI_SETSTATUS, SC_STATUS_WARN_START));
}

}  // namespace
