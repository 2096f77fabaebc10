#include "external_directory/forms/info_o_importu.h"

#include "ui_info_o_importu.h"

namespace kavro {

Info_o_importu::Info_o_importu(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::Info_o_importu>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    connect(ui->cb_1, &QPushButton::clicked, this, [this] { finish(false); });
}

Info_o_importu::~Info_o_importu() = default;

void Info_o_importu::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags() | Qt::Dialog);
    show();
    raise();
    activateWindow();
}

} // namespace kavro
