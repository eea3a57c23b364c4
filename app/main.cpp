#include <windows.h>

#include "app/instl_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  CInstlApp app(instance);
  return app.Run();
}
