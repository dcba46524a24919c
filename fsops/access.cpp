#include "fsops/access.h"

#include "fsops/fsops.h"
#include "platform/files.h"
#include "platform/textrules.h"

namespace zet::fsops {

namespace {

const char* stepName(platform::AccessStep step) {
    switch (step) {
    case platform::AccessStep::readAccess:
        return "GetSecurityInfo";
    case platform::AccessStep::mergeEntry:
        return "SetEntriesInAcl";
    case platform::AccessStep::writeAccess:
        return "SetSecurityInfo";
    case platform::AccessStep::none:
        break;
    }
    return nullptr;
}

} // namespace

std::string accessDiagnostic(platform::AccessStep step, std::uint32_t code) {
    const char* name = stepName(step);
    if (name == nullptr) return {};
    std::string text(name);
    ((text += " Error ") += platform::decimalText(code)) += '\n';
    return text;
}

std::uint32_t grantWorldAccess(platform::ObjectHandle object, std::uint32_t permissions,
                               std::uint32_t accessMode, std::uint32_t inheritance) {
    const platform::AccessOutcome outcome =
        platform::addWorldAccessEntry(object, permissions, accessMode, inheritance);
    const std::string line = accessDiagnostic(outcome.failed, outcome.code);
    if (!line.empty()) platform::printText(line);
    return outcome.code;
}

void giveAllPermissions(const std::string& argument) {
    // Only a leading "*" marks a folder, and only that one is removed.
    const bool folder = !argument.empty() && argument.front() == '*';
    const std::string path = folder ? argument.substr(1) : argument;
    const platform::ObjectHandle object = platform::openForAccessChange(path, folder);
    if (object == platform::kNoObject) return;
    struct Closer {
        platform::ObjectHandle object;
        ~Closer() { platform::closeObject(object); }
    } closer{object};
    grantWorldAccess(object, kFullAccess, platform::kGrantAccess, platform::kNoInheritance);
}

} // namespace zet::fsops
