// Feeds arbitrary bytes to the data-file loader. Every input must load without a crash, a hang
// or a leak, show at most one message, and whatever loaded must save and load back to the same
// events without a message.
#include "fakes/fake_platform.h"
#include "model/archive.h"
#include "model/tintwatch_doc.h"
#include "support/isolated_environment.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "document fuzzer: %s\n", what);
        std::abort();
    }
}

bool SameStoredFields(const CEventInfo& a, const CEventInfo& b) {
    return a.m_ptLocation == b.m_ptLocation && a.m_clrMatch == b.m_clrMatch &&
           a.m_clrTarget == b.m_clrTarget && a.m_bOnlySpecificColor == b.m_bOnlySpecificColor &&
           a.m_nInterval == b.m_nInterval && a.m_nMaxCount == b.m_nMaxCount &&
           a.m_nDetectCount == b.m_nDetectCount && a.m_bEnabled == b.m_bEnabled &&
           a.m_bAudioAlert == b.m_bAudioAlert && a.m_nFrequency == b.m_nFrequency &&
           a.m_nDuration == b.m_nDuration && a.m_bExecute == b.m_bExecute &&
           a.m_sCommand == b.m_sCommand && a.m_sFilePath == b.m_sFilePath &&
           a.m_sComment == b.m_sComment;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    IsolateUserFolders();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeScreen screen;
    FakeMessageBox messages;
    CTintwatchDoc doc(screen, messages);
    const auto result = doc.LoadFromBytes(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    Require(messages.shown.size() <= 1, "more than one message for one load");
    Require((result == CTintwatchDoc::OpenResult::Damaged) == (messages.shown.size() == 1),
            "a damaged load without its message, or a message for a whole one");

    QByteArray saved;
    CArchive ar(saved, CArchive::store);
    doc.Serialize(ar);

    FakeMessageBox reloadMessages;
    CTintwatchDoc reloaded(screen, reloadMessages);
    Require(reloaded.LoadFromBytes(saved) == CTintwatchDoc::OpenResult::Complete,
            "a saved list does not load whole");
    Require(reloadMessages.shown.empty(), "a saved list loads with a message");
    Require(reloaded.m_arrEvents.size() == doc.m_arrEvents.size(), "the event count changed");
    for (std::size_t i = 0; i < doc.m_arrEvents.size(); ++i)
        Require(SameStoredFields(doc.m_arrEvents[i], reloaded.m_arrEvents[i]),
                "an event changed on saving and loading back");
    return 0;
}
