#pragma once
// Control ids of the main form, fixed so that tests and outside tools can find each control.
// Controls kept in arrays have consecutive ids: the word-wrap pair of each big box, txtWin (0..3).

namespace glimmet::shell::ids {

inline constexpr int kUpperBox = 1000;     // txtWinTextT (0), (1) = kUpperBox + 1
inline constexpr int kLowerBox = 1010;     // txtWinTextB (0), (1) = kLowerBox + 1
inline constexpr int kWinBox = 1020;       // txtWin (0..3): class, HTML tag, lower method, point method
inline constexpr int kCountBox = 1030;     // txtCount
inline constexpr int kStatusBox = 1031;    // txtStatus
inline constexpr int kHandleBox = 1032;    // txthWnd
inline constexpr int kMousePosLabel = 1040;
inline constexpr int kMouseFrame = 1041;   // fr_Mous
inline constexpr int kGoButton = 1050;
inline constexpr int kAutoStopCheck = 1051;
inline constexpr int kAutoStopLabel = 1052;
inline constexpr int kTurnBackCheck = 1053;
inline constexpr int kDetailCheck = 1054;
inline constexpr int kCenterFrame = 1060;  // frCenter
inline constexpr int kSplitter = 1061;     // imgSplitter
inline constexpr int kSplitterBar = 1062;  // picSplitter
inline constexpr int kUpdButton = 1063;
inline constexpr int kStatusLabel = 1070;
inline constexpr int kMsgLabel = 1071;
inline constexpr int kHelpFrame = 1080;    // fr_Help
inline constexpr int kToolLabel = 1081;
inline constexpr int kHelpLabel = 1082;
inline constexpr int kUrlLabel = 1083;

}  // namespace glimmet::shell::ids
