#pragma once

// String-table ids the framework itself loads; the program's resource script
// supplies the texts. Plain defines, so that the script names them too.
#define IDS_APP_TITLE 57344  // the program's name: message-box captions
#define IDS_UNTITLED 57345   // a new document's title when its template names none
