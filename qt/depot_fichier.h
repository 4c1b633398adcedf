#pragma once
// Files dropped on the main window. The whole window takes a drag that carries one local file or
// folder, whatever control lies under the pointer (an editable list would otherwise take its
// name as text), and refuses one of several files or of web addresses; a drag of text alone goes
// on to the controls as before. The drop is handed to the model
// once the drag is over, so that the program that dragged is not kept waiting by a box.
#include <QObject>
#include <QPointer>
#include <QWindow>
#include <optional>
#include <string>

#include "qt/rendu.h"

class QMimeData;

namespace zor::qt {

// The file a drag carries when it is exactly one local file or folder: its path as the system
// names it (bytes off Windows). Nothing for several files, a web address, or text.
std::optional<std::string> fichierDepose(const QMimeData* donnees);

class DepotFichier : public QObject {
 public:
  // Watches `fenetre` (its parent) and, once it has a window of its own, that window's drags.
  DepotFichier(QWidget& fenetre, Envoi envoi);

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  QWidget& fenetre_;
  Envoi envoi_;
  QPointer<QWindow> surveillee_;
  bool glisseDesFichiers_ = false;     // the drag on its way carries files or addresses: it is this window's
  std::optional<std::string> fichier_;  // … and exactly this one local file, which it takes
};

}  // namespace zor::qt
