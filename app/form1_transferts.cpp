#include "app/form1.h"
#include "serial/mscomm.h"

namespace zor::app {

void Form1::construireCommunication() {
  MSComm1 = std::make_unique<serie::MSComm>();
  MSComm2 = std::make_unique<serie::MSComm>();
}

void Form1::detruireCommunication() {
  MSComm1.reset();
  MSComm2.reset();
}

void Form1::ecrire_Click() {}
void Form1::lire_Click() {}
void Form1::MSComm2_OnComm() {}
void Form1::fermerFichier20() {}

}  // namespace zor::app
