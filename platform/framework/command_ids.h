#pragma once

// Command ids the framework itself handles or routes.
constexpr unsigned ID_FILE_NEW = 57600;
constexpr unsigned ID_FILE_OPEN = 57601;
constexpr unsigned ID_FILE_SAVE = 57603;
constexpr unsigned ID_EDIT_COPY = 57634;
constexpr unsigned ID_EDIT_CUT = 57635;
constexpr unsigned ID_EDIT_PASTE = 57637;
constexpr unsigned ID_EDIT_UNDO = 57643;
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;
constexpr unsigned ID_NEXT_PANE = 57680;
constexpr unsigned ID_PREV_PANE = 57681;
