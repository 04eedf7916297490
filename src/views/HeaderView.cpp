// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeaderView.h"

#include "SystemFont.h"
#include "network/PublicAddressLookup.h"
#include "preferences/PreferenceManager.h"
#include "system/MachineIdentity.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int kLeadingPadding = 5;
}

HeaderView::HeaderView(PreferenceManager *preference, MachineIdentity *identity, QWidget *parent)
    : QWidget(parent)
    , m_preference(preference)
    , m_identity(identity ? identity : MachineIdentity::shared())
    , m_endpoint(PublicAddressLookup::defaultEndpoint())
    , m_name(new QLabel(this))
    , m_address(new QLabel(this))
{
    setObjectName(QStringLiteral("HeaderView"));
    setFixedSize(kSize);
    setFont(SystemFont::of(13, QFont::DemiBold));
    for (QLabel *label : { m_name, m_address }) {
        // The name is the owner's and the address comes off the network: never markup.
        label->setTextFormat(Qt::PlainText);
        label->setMinimumHeight(fontMetrics().height());
    }
    m_address->setWordWrap(true);

    auto *lines = new QVBoxLayout;
    lines->setContentsMargins(kLeadingPadding, 0, 0, 0);
    lines->setSpacing(8);
    lines->addStretch();
    lines->addWidget(m_name);
    lines->addWidget(m_address);
    lines->addStretch();
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(lines);
    row->addStretch();

    connect(m_identity, &MachineIdentity::changed, this, &HeaderView::showName);
    connect(m_preference, &PreferenceManager::objectWillChange, this, &HeaderView::applyPreference);
    showName();
    m_address->hide();
    // From the event loop, so that an endpoint set right after construction is the one asked.
    QMetaObject::invokeMethod(this, &HeaderView::applyPreference, Qt::QueuedConnection);
}

bool HeaderView::isAddressLineShown() const
{
    return !m_address->isHidden();
}

QString HeaderView::addressText() const
{
    return m_addressText;
}

void HeaderView::applyPreference()
{
    const bool wanted = m_preference->setShowIPAddress();
    if (wanted == m_addressWanted)
        return;
    m_addressWanted = wanted;
    showAddress(QString());
    m_address->setVisible(wanted);
    // Turned off: an answer still on its way has nowhere to go.
    delete std::exchange(m_lookup, nullptr);
    if (wanted)
        lookUpAddress();
}

void HeaderView::lookUpAddress()
{
    m_lookup = new PublicAddressLookup(this);
    connect(m_lookup, &PublicAddressLookup::finished, this, [this](const QString &text) {
        showAddress(text);
        m_lookup->deleteLater();
        m_lookup = nullptr;
        emit addressArrived(text);
    });
    m_lookup->fetch(m_endpoint);
}

void HeaderView::showAddress(const QString &text)
{
    // An IPv6 address is twice as wide as the box: it breaks after its colons, over two lines
    // at most, in a smaller size when the box's own does not fit it.
    QString wrappable = text;
    wrappable.replace(u':', QStringLiteral(":\u200b"));
    const int room = width() - kLeadingPadding;
    QFont font = this->font();
    for (int size = 13; size >= 9; --size) {
        font = SystemFont::of(size, QFont::DemiBold);
        const QFontMetrics metrics(font);
        if (metrics.boundingRect(QRect(0, 0, room, 1000), Qt::TextWordWrap, wrappable).height()
            <= 2 * metrics.lineSpacing())
            break;
    }
    m_address->setFont(font);
    m_address->setText(wrappable);
    m_address->setAccessibleName(text);
    m_addressText = text;
}

void HeaderView::showName()
{
    m_fullName = m_identity->localizedName();
    // A long name ends in an ellipsis; the tooltip and screen readers get all of it.
    const int room = width() - kLeadingPadding;
    m_name->setText(m_name->fontMetrics().elidedText(m_fullName, Qt::ElideRight, room));
    m_name->setToolTip(m_name->text() == m_fullName ? QString() : m_fullName);
    m_name->setAccessibleName(m_fullName);
}

void HeaderView::resizeEvent(QResizeEvent *event)
{
    showName();
    QWidget::resizeEvent(event);
}

void HeaderView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        showName();
    QWidget::changeEvent(event);
}
