#include "widgets/ContentPage.h"

#include "widgets/ElidedLabel.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

TContentPage::TContentPage(const QString& headerName, const TFormImageContainer& images,
                           QWidget* parent)
    : QWidget(parent), m_images(images)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);

    m_headerStrip = new QLabel(this);
    m_headerStrip->setObjectName("PanelHeader" + headerName);
    m_headerStrip->setFixedHeight(36);
    m_headerStrip->setPixmap(images.picture("ImgPageHeader"));
    m_headerStrip->setScaledContents(true);
    m_stripLayout = new QHBoxLayout(m_headerStrip);
    m_stripLayout->setContentsMargins(6, 2, 10, 2);
    m_stripLayout->setSpacing(4);
    // The buttons go before the stretch, the description label after it.
    m_stripLayout->addStretch(1);
    m_layout->addWidget(m_headerStrip);
}

TGraphicButton* TContentPage::addHeaderButton(const QString& name, const QString& picture,
                                              const QString& hint, std::function<void()> action)
{
    auto* button = TGraphicButton::fromStore(m_images, picture, name, hint, m_headerStrip);
    m_stripLayout->insertWidget(int(m_headerButtons.size()), button);
    m_headerButtons << button;
    connect(button, &TGraphicButton::clicked, this, std::move(action));
    return button;
}

void TContentPage::setHeaderDescription(const QString& name, Description kind, const QString& text)
{
    m_headerLabel = new TElidedLabel(text, m_headerStrip);
    m_headerLabel->setObjectName(name);
    m_headerLabel->setTextFormat(Qt::PlainText);
    m_headerLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Font and colour through the label's own font and palette: a style sheet would also
    // colour its tool tip white on a light ground.
    QFont font = m_headerLabel->font();
    font.setBold(true);
    font.setUnderline(kind == Description::Underlined);
    m_headerLabel->setFont(font);
    QPalette white = m_headerLabel->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_headerLabel->setPalette(white);
    m_stripLayout->addWidget(m_headerLabel);
}

QList<QWidget*> TContentPage::headerButtons() const
{
    return m_headerButtons;
}

void TContentPage::hideOwnHeader()
{
    m_headerStrip->hide();
}

void TContentPage::setHeaderText(const QString& text)
{
    m_headerLabel->setText(text);
}

QString TContentPage::headerText() const
{
    return m_headerLabel->text();
}
