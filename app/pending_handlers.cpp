// Handlers routed by the table of events whose work comes with the slider/edit, mode and
// switch, connection and file features. Each is reached today and does nothing yet.
#include "app/main_dialog.h"

namespace torvix {

void CMyTorvix_ControllerDlg::SliderRelease(int, int, int) {}
void CMyTorvix_ControllerDlg::ValueEditChange(int) {}
void CMyTorvix_ControllerDlg::OnBnClickedMirror() {}
void CMyTorvix_ControllerDlg::OnBnClickedVflip() {}
void CMyTorvix_ControllerDlg::OnCbnCloseupWhiteBalanceMode() {}
void CMyTorvix_ControllerDlg::OnBnClickedNtsc() {}
void CMyTorvix_ControllerDlg::OnBnClickedPal() {}
void CMyTorvix_ControllerDlg::OnCbnCloseupWdrMode() {}
void CMyTorvix_ControllerDlg::OnBnClickedPush2White() {}
void CMyTorvix_ControllerDlg::OnBnClickedLlsModeOn() {}
void CMyTorvix_ControllerDlg::OnBnClickedSharpnessOn() {}
void CMyTorvix_ControllerDlg::OnBnClickedConnect() {}
void CMyTorvix_ControllerDlg::OnBnClickedReset() {}
void CMyTorvix_ControllerDlg::OnCbnCloseupBlcSize() {}
void CMyTorvix_ControllerDlg::OnCbnCloseupBlcHorizontal() {}
void CMyTorvix_ControllerDlg::OnCbnCloseupBlcVertical() {}
void CMyTorvix_ControllerDlg::OnBnClickedBlcViewOn() {}
void CMyTorvix_ControllerDlg::OnBnClickedAgcGainMaxOn() {}
void CMyTorvix_ControllerDlg::OnCbnCloseupDnMode() {}
void CMyTorvix_ControllerDlg::OnBnClickedOsdControlUsage() {}
void CMyTorvix_ControllerDlg::OnCbnCloseupZoomFactor() {}
void CMyTorvix_ControllerDlg::OnEnChangeCameraAddress() {}
void CMyTorvix_ControllerDlg::OnBnClickedSearchAddress() {}

}  // namespace torvix
