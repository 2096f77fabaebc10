#include "common/forms/cl_vyber_adresare_seznam.h"

#include <QHeaderView>
#include <QStandardItemModel>

namespace kavro {

SeznamPolozek::SeznamPolozek(QWidget* parent)
    : QListWidget(parent), m_header(new QHeaderView(Qt::Horizontal, this))
{
    auto* model = new QStandardItemModel(0, 1, m_header);
    model->setHorizontalHeaderLabels({QStringLiteral("Jméno")});
    m_header->setModel(model);
    m_header->setObjectName(QStringLiteral("lv_1_hlavicka"));
    m_header->setStretchLastSection(false);
    m_header->setSectionsClickable(false);
    m_header->resizeSection(0, 150);
    m_header->hide();
}

void SeznamPolozek::setHeaderShown(bool shown)
{
    m_header->setVisible(shown);
    setViewportMargins(0, shown ? m_header->sizeHint().height() : 0, 0, 0);
    umistiHlavicku();
}

bool SeznamPolozek::headerShown() const { return !m_header->isHidden(); }

void SeznamPolozek::resizeEvent(QResizeEvent* e)
{
    QListWidget::resizeEvent(e);
    umistiHlavicku();
}

void SeznamPolozek::umistiHlavicku()
{
    const QRect vp = viewport()->geometry();
    m_header->setGeometry(vp.left(), vp.top() - m_header->sizeHint().height(), vp.width(),
                          m_header->sizeHint().height());
}

} // namespace kavro
