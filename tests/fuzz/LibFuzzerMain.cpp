// libFuzzer entry for one target, chosen at build time (VARU_FUZZ_TARGET): the same
// targets as the bounded run in the unit suite, guided by coverage.

#include "FuzzTargets.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
#if VARU_FUZZ_TARGET == 1
    FuzzTargets::classify(bytes);
#elif VARU_FUZZ_TARGET == 2
    FuzzTargets::decodeConfig(bytes);
#else
    // The input patches a valid backup, so that most runs reach past SQLite's own checks.
    static FuzzTargets::ImportScratch scratch;
    scratch.import(FuzzTargets::patched(scratch.seed(), bytes));
#endif
    return 0;
}
