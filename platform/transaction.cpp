#include "platform/transaction.h"

#include "platform/faults.h"
#include "platform/system.h"
#include "platform/textrules.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace zet::platform {

namespace {

constexpr std::size_t kRandomDigits = 12;
constexpr std::size_t kCheckDigits = 4;

// What a transaction's writes did: whether the file existed, whether a write reached the copy
// (one that changed its bytes, or any that succeeded, which creates a missing file), and whether
// one failed, for want of space or not.
struct Outcome {
    bool existed = true;
    bool changed = false;
    bool reached = false;
    bool failed = false;
    bool noSpace = false;
};

// The transaction: whether one is open, its file, its working copy (empty when the writes go
// in place) and what its writes did. One object serves every transaction in turn, its texts
// keeping their memory.
struct Open {
    bool active = false;
    std::string path;
    std::string working;
    Outcome outcome;
};

Open& current() {
    static Open open;
    return open;
}

// The open transaction with a working copy, if there is one.
Open* withCopy() {
    Open& open = current();
    return open.active && !open.working.empty() ? &open : nullptr;
}

// 64-bit FNV-1a, for the check digits.
std::uint64_t hashOf(std::string_view a, std::string_view b) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::string_view part : {a, b}) {
        for (const char c : part) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

// The lowest `count` hexadecimal digits of `value`, at most 16, into `digits`.
std::string_view hexDigits(char* digits, std::uint64_t value, std::size_t count) {
    for (std::size_t i = count; i-- > 0; value >>= 4) digits[i] = kHexDigits[value & 0xF];
    return std::string_view(digits, count);
}

// Enough to keep names apart: the clock, a counter, and where this call's stack lies (which the
// system places at random). A name that is taken all the same is tried again with fresh bits.
std::uint64_t randomBits() {
    static std::uint64_t counter = 0;
    const int local = 0;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto place = reinterpret_cast<std::uintptr_t>(&local);
    std::uint64_t bits = static_cast<std::uint64_t>(now) ^ (++counter * 0x9E3779B97F4A7C15ull) ^
                         (static_cast<std::uint64_t>(place) << 16);
    // A 64-bit mix, so that close clocks give far apart names.
    bits ^= bits >> 33;
    bits *= 0xFF51AFD7ED558CCDull;
    bits ^= bits >> 33;
    return bits;
}

} // namespace

std::string temporaryName(std::string_view name) {
    char random[kRandomDigits];
    char check[kCheckDigits];
    const std::string_view digits = hexDigits(random, randomBits(), kRandomDigits);
    std::string result(name);
    ((result += kTemporaryMark) += digits) += hexDigits(check, hashOf(name, digits), kCheckDigits);
    return result;
}

bool isTemporaryName(std::string_view entry, std::string_view name) {
    if (entry.size() != name.size() + kTemporaryMark.size() + kRandomDigits + kCheckDigits ||
        !entry.starts_with(name) || entry.substr(name.size()).find(kTemporaryMark) != 0)
        return false;
    const std::string_view digits = entry.substr(name.size() + kTemporaryMark.size());
    if (digits.find_first_not_of(kHexDigits) != std::string_view::npos) return false;
    char check[kCheckDigits];
    return digits.substr(kRandomDigits) ==
           hexDigits(check, hashOf(name, digits.substr(0, kRandomDigits)), kCheckDigits);
}

FileTransaction::FileTransaction(const std::string& path) : outer_(!current().active) {
    if (!outer_) return;
    Open& open = current();
    open.active = true;
    open.path = path;
    open.working.clear();
    open.outcome = {};
    // The copy's name is as long as temporaryName(path), and must fit where the file's does: the
    // profile calls would otherwise write elsewhere or not at all.
    const bool foreignOwner = faults::shouldFail(faults::Point::foreignOwner);
    if (validPath(path) && pathFits(temporaryName(path)))
        if (auto working = sys::makeWorkingCopy(path, open.outcome.existed, foreignOwner))
            open.working = std::move(*working);
}

FileTransaction::~FileTransaction() {
    if (outer_) dropOpenTransaction();
}

void dropOpenTransaction() {
    if (Open* open = withCopy()) sys::removeFile(open->working);
    current().active = false;
}

FileTransaction::Landing FileTransaction::commit() {
    Open* open = withCopy();
    if (outer_) current().active = false;
    if (!outer_ || open == nullptr) return Landing::whole;
    const Outcome& outcome = open->outcome;
    if (outcome.failed || (!outcome.changed && !(outcome.reached && !outcome.existed))) {
        sys::removeFile(open->working);
        if (!outcome.failed) return Landing::whole;
        return outcome.noSpace ? Landing::none : Landing::inPlace;
    }
    if (faults::shouldFail(faults::Point::replaceFile) ||
        !sys::putInPlace(open->path, open->working)) {
        sys::removeFile(open->working);
        return Landing::inPlace;
    }
    sys::removeLeftovers(open->path);
    return Landing::whole;
}

const std::string& routed(const std::string& path) {
    const Open* open = withCopy();
    return open != nullptr && open->path == path ? open->working : path;
}

bool isWorkingCopy(const std::string& path) {
    const Open* open = withCopy();
    return open != nullptr && open->working == path;
}

void noteWritten(const std::string& path, bool changed) {
    if (!isWorkingCopy(path)) return;
    Outcome& outcome = current().outcome;
    outcome.reached = true;
    outcome.changed = outcome.changed || changed;
}

namespace {

void noteFailed(const std::string& path, bool noSpace) {
    if (!isWorkingCopy(path)) return;
    Outcome& outcome = current().outcome;
    outcome.failed = true;
    outcome.noSpace = outcome.noSpace || noSpace;
}

} // namespace

bool noteOutcome(const std::string& path, bool done, bool changed) {
    if (done)
        noteWritten(path, changed);
    else
        noteFailed(path, sys::lastFailureWasNoSpace());
    return done;
}

bool writeFails(const std::string& path) {
    if (!isWorkingCopy(path)) return false;
    if (faults::shouldFail(faults::Point::copyFull)) {
        noteFailed(path, true);
        return true;
    }
    if (faults::shouldFail(faults::Point::writeCopy)) {
        noteFailed(path, false);
        return true;
    }
    // The reason of a failure to come must be that write's own.
    sys::forgetLastFailure();
    return false;
}

} // namespace zet::platform
