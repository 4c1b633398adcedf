#include "app/services_machine.h"

namespace zor::app {

Services servicesDeLaMachine(Services s) {
  if (!s.liaisonMSComm1) s.liaisonMSComm1 = serie::ouvertureReelle();
  if (!s.liaisonMSComm2) s.liaisonMSComm2 = serie::ouvertureReelle();
  if (!s.portsPresents) s.portsPresents = serie::portsPresents;
  return s;
}

}  // namespace zor::app
