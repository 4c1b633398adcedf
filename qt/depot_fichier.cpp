#include "qt/depot_fichier.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <utility>

namespace zor::qt {

std::optional<std::string> fichierDepose(const QMimeData* donnees) {
  if (donnees == nullptr || !donnees->hasUrls()) return std::nullopt;
  const QList<QUrl> urls = donnees->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return std::nullopt;
  const QString chemin = urls.front().toLocalFile();
  if (chemin.isEmpty()) return std::nullopt;
  return QFile::encodeName(chemin).toStdString();
}

DepotFichier::DepotFichier(QWidget& fenetre, Envoi envoi) : QObject(&fenetre), fenetre_(fenetre), envoi_(std::move(envoi)) {
  fenetre_.installEventFilter(this);
}

bool DepotFichier::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == &fenetre_) {
    // The toolkit's window exists once the widget shows: drags reach it before any control.
    if (evenement->type() == QEvent::Show && fenetre_.windowHandle() != surveillee_) {
      if (surveillee_) surveillee_->removeEventFilter(this);
      surveillee_ = fenetre_.windowHandle();
      if (surveillee_) surveillee_->installEventFilter(this);
    }
    return false;
  }
  switch (evenement->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* e = static_cast<QDragMoveEvent*>(evenement);
      if (evenement->type() == QEvent::DragEnter) {
        glisseDesFichiers_ = e->mimeData() != nullptr && e->mimeData()->hasUrls();
        // Read now: some systems no longer hand the data over once the button is let go.
        fichier_ = fichierDepose(e->mimeData());
      }
      if (!glisseDesFichiers_) return false;
      // Several files, or addresses: refused by the whole window, none typed into a list.
      if (fichier_) {
        e->setDropAction(Qt::CopyAction);
        e->accept();
      } else {
        e->ignore();
      }
      return true;
    }
    case QEvent::DragLeave: return std::exchange(glisseDesFichiers_, false);
    case QEvent::Drop: {
      if (!std::exchange(glisseDesFichiers_, false)) return false;
      const std::optional<std::string> fichier = std::exchange(fichier_, std::nullopt);
      if (!fichier) return true;
      auto* e = static_cast<QDropEvent*>(evenement);
      e->setDropAction(Qt::CopyAction);
      e->accept();
      QMetaObject::invokeMethod(
          this, [this, f = *fichier] { envoi_(Evenement::fichierDonne(f)); }, Qt::QueuedConnection);
      return true;
    }
    default: return false;
  }
}

}  // namespace zor::qt
