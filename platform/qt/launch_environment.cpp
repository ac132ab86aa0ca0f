#include "launch_environment.h"

#include <QtGlobal>

#include <map>
#include <mutex>
#include <optional>
#include <unistd.h>

namespace {

struct OwnVariables {
    std::mutex mutex;
    std::map<QByteArray, std::optional<QByteArray>> userValues; // by name; none: unset
};

OwnVariables& Own() {
    static OwnVariables own;
    return own;
}

} // namespace

void SetOwnEnvironmentVariable(const char* name, const QByteArray& value) {
    OwnVariables& own = Own();
    const std::lock_guard lock(own.mutex);
    // The first value seen is the user's; later ones are ours too.
    own.userValues.try_emplace(name, qEnvironmentVariableIsSet(name)
                                         ? std::optional<QByteArray>(qgetenv(name))
                                         : std::nullopt);
    qputenv(name, value);
}

QByteArrayList UserEnvironment() {
    OwnVariables& own = Own();
    const std::lock_guard lock(own.mutex);
    QByteArrayList variables;
    for (char** entry = environ; *entry; ++entry) {
        const QByteArray variable(*entry);
        if (!own.userValues.contains(variable.left(variable.indexOf('='))))
            variables.append(variable);
    }
    for (const auto& [name, value] : own.userValues)
        if (value)
            variables.append(name + '=' + *value);
    return variables;
}
