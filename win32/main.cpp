// zor.exe: the window of ZOR on Windows, rendered with the system's own controls.
#include "app/form1.h"
#include "platform/windows_leger.h"

#include <commctrl.h>
#include <objbase.h>
#include "win32/boucle.h"
#include "win32/form1_win32.h"
#include "win32/resolution.h"
#include "win32/services_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int commande) {
  // Each window at its own screen's resolution (the manifest says the same to the system).
  zor::win32::declarerResolutionParEcran();
  // Screen readers reach the controls' accessible objects through COM (win32/accessible.h).
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controles{sizeof controles, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controles);
  zor::win32::Boucle boucle;
  zor::win32::Form1Win32* fenetre = nullptr;
  zor::app::Form1 modele(zor::win32::servicesWin32({}, boucle, fenetre));
  zor::win32::Form1Win32 vue(modele, [] { PostQuitMessage(0); });
  fenetre = &vue;
  vue.montrer(commande);
  // Every way out ends here: the last window gone, or a quit path of the window. The windows,
  // the serial devices and the files then go with their owners.
  const int code = boucle.executer();
  fenetre = nullptr;
  if (SUCCEEDED(com)) CoUninitialize();
  return code;
}
