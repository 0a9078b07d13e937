#pragma once

class QObject;

namespace tessaro {

// True when a network interface other than loopback is up and has an address.
bool IsOnline();

// The update component's test for a modern system: always true here, where
// no virtualised program folder exists.
bool IsVista();

// The window that ShutdownApplication closes (its "close" slot is called);
// the application registers it once it exists.
void SetApplicationMainWindow(QObject* mainWindow);

// Closes the main window, if there is one, and asks the application to quit.
// Belongs on the user-interface thread.
void ShutdownApplication();

}  // namespace tessaro
