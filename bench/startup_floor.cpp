// The floor of the start-up benchmark: the least a Qt program of ours does to show a dialog.
// It closes on its first paint, as tavelo does with --exit-after-first-paint.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

class CFloorDialog : public QDialog
{
public:
    explicit CFloorDialog(QWidget* pParent = nullptr) : QDialog(pParent)
    {
        m_layout.addWidget(&m_label);
    }

protected:
    bool event(QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint && !m_bPainted) {
            m_bPainted = true;
            QTimer::singleShot(0, this, [this] { done(QDialog::Rejected); });
        }
        return QDialog::event(pEvent);
    }

private:
    QLabel m_label{QStringLiteral("Tavelo")};
    QVBoxLayout m_layout{this};
    bool m_bPainted = false;
};

} // namespace

int main(int argc, char* argv[])
{
    const QApplication app(argc, argv);
    CFloorDialog dlg;
    dlg.exec();
    return 0;
}
