#include "update/renovator/kuRenovatorMessageTable.h"

namespace tessaro {

// UTF-8 texts; every language keeps the English format specifiers in order.
const std::array<TkuRenovatorMessages, kuRenovatorLanguageCount> kuRenovatorMessageTable = {{
    // English
    {{
        "Application update wizard",
        "Downloading files...",
        "Upgrade completed!",
        "Current file",
        "All files",
        "Downloading file from",
        "File size: %.1f Kb",
        "Transfer rate: %.1f Kb/s",
        "Estimated time left: %d:%.2d:%.2d",
        "Downloading %d of %d",
        "The update of %s has been successfully completed.\n\nPress the OK button to restart "
        "program.",
        "Enter password",
        "User Name",
        "Password",
        "&Yes",
        "&No",
        "&OK",
        "&Cancel",
        "&Next >",
        "&Later",
        "Warning",
        "Error",
        "Preparing. . .",
        "A newer version of %s was released.\n%s\nDo you want to update your version with the "
        "latest one?",
        "Newer version not found. You actually are\nusing most recent version of this program.",
        "File which contains upgrade information was not found on developer's site.",
        "Host %s unreachable.\n\nPlease check your Internet connection and\ntry to upgrade this "
        "software again later.",
        "The update is not completed.\nWould you like to abort upgrading?",
        "File %s not found or inaccessible.\n\nTry to skip this file and continue upgrade?",
        "Access to remote file \"%s\" is password protected.\n\nPlease enter your username and "
        "password (received after registration) to continue software upgrade.",
        "Connection with remote server lost.\n\nPlease restore connection and try to\nupgrade this "
        "software again later.",
        "The update of %s could not be verified as coming from its publisher and was not "
        "installed.\n\nNothing has been changed.",
    }},
}};

}  // namespace tessaro
