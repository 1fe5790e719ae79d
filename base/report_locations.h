// SPDX-License-Identifier: MIT

#pragma once

#include <QStringView>

namespace quillory {

/// Where an error report says a failure happened: a window and one of its procedures, shown
/// as "<window>.<procedure>". Every place the program reports from is one constant below; the
/// README maps each to the file that holds it.
struct ReportLocation {
    QStringView window;
    QStringView procedure;
};

namespace locations {

inline constexpr QStringView Form1 = u"Form1";
inline constexpr QStringView Form2 = u"Form2";
inline constexpr QStringView Form3 = u"Form3";

// The main window: start-up, closing, the name and date, the list commands, the run.
inline constexpr ReportLocation Form1Load{Form1, u"Form_Load"};
inline constexpr ReportLocation Form1QueryUnload{Form1, u"Form_QueryUnload"};
inline constexpr ReportLocation Form1NameChange{Form1, u"Text1_Change"};
inline constexpr ReportLocation Form1DateChange{Form1, u"DateTimePicker1_Change"};
inline constexpr ReportLocation Form1AddClass{Form1, u"PushButton1_Click"};
inline constexpr ReportLocation Form1EditClass{Form1, u"PushButton5_Click"};
inline constexpr ReportLocation Form1DeleteClass{Form1, u"PushButton2_Click"};
inline constexpr ReportLocation Form1ClearData{Form1, u"PushButton3_Click"};
inline constexpr ReportLocation Form1LoadSample{Form1, u"PushButton4_Click"};
inline constexpr ReportLocation Form1NewWeek{Form1, u"mnuNewWeek_Click"};
inline constexpr ReportLocation Form1MoveUp{Form1, u"mnuMoveUp_Click"};
inline constexpr ReportLocation Form1MoveDown{Form1, u"mnuMoveDown_Click"};
inline constexpr ReportLocation Form1Undo{Form1, u"mnuUndo_Click"};
inline constexpr ReportLocation Form1Redo{Form1, u"mnuRedo_Click"};
inline constexpr ReportLocation Form1EarlierList{Form1, u"mnuEarlierList_Click"};
inline constexpr ReportLocation Form1Recover{Form1, u"RecoverLastSession"};
inline constexpr ReportLocation Form1CreateTemplate{Form1, u"PushButton6_Click"};
inline constexpr ReportLocation Form1PageSnapshot{Form1, u"SaveDocAsJPG"};

// The preview window.
inline constexpr ReportLocation Form2Load{Form2, u"Form_Load"};
inline constexpr ReportLocation Form2Activate{Form2, u"Form_Activate"};
inline constexpr ReportLocation Form2Redraw{Form2, u"RedrawImage"};
inline constexpr ReportLocation Form2ZoomIn{Form2, u"PushButton1_Click"};
inline constexpr ReportLocation Form2ZoomOut{Form2, u"PushButton2_Click"};
inline constexpr ReportLocation Form2ActualSize{Form2, u"mnuActualSize_Click"};
inline constexpr ReportLocation Form2MouseDown{Form2, u"picture1_MouseDown"};
inline constexpr ReportLocation Form2MouseMove{Form2, u"picture1_MouseMove"};
inline constexpr ReportLocation Form2MouseUp{Form2, u"Picture1_MouseUp"};
inline constexpr ReportLocation Form2Save{Form2, u"PushButton6_Click"};
inline constexpr ReportLocation Form2Back{Form2, u"PushButton8_Click"};
inline constexpr ReportLocation Form2QueryUnload{Form2, u"Form_QueryUnload"};
inline constexpr ReportLocation Form2Print{Form2, u"mnuPrint_Click"};
inline constexpr ReportLocation Form2SavePdf{Form2, u"mnuSavePdf_Click"};
inline constexpr ReportLocation Form2AddToCalendar{Form2, u"mnuAddToCalendar_Click"};
inline constexpr ReportLocation Form2PublishToCalendar{Form2, u"mnuPublishToCalendar_Click"};
inline constexpr ReportLocation Form2CopyPicture{Form2, u"mnuCopyPicture_Click"};

// The class editor.
inline constexpr ReportLocation Form3Load{Form3, u"Form_Load"};
inline constexpr ReportLocation Form3Save{Form3, u"PushButton3_Click"};
inline constexpr ReportLocation Form3Cancel{Form3, u"PushButton4_Click"};

} // namespace locations

} // namespace quillory
