// The stock browser's pages for the web browser: the table of figures and the quote pages.
#include <QLineEdit>
#include <QPushButton>

#include "app/tfsub2.h"
#include "base/numbers.h"
#include "base/text_file.h"
#include "screening/finance_html.h"

namespace {

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

}  // namespace

void Tfsub2::Button14Click() {
  export_->setEnabled(false);
  const QStringList items = ListedItems();
  if (!items.isEmpty()) {
    Guarded([&] {
      std::vector<std::string> listed;
      for (const QString& item : items) listed.push_back(item.toStdString());
      const auto rows = varnolt::FinanceRows(listed, folder_, today_());
      const std::filesystem::path path = folder_.DataDir() / "finance.html";
      varnolt::WriteLines(path, varnolt::FinanceHtmlLines(rows));
      openFile(PathText(path));
    });
  }
  export_->setEnabled(true);
}

void Tfsub2::OpenWebPage(QPushButton* button, int page) {
  button->setEnabled(false);
  const std::string code = findChild<QLineEdit*>("edcode")->text().toStdString();
  if (const auto number = varnolt::ParseInt(code)) {
    Guarded([&] {
      const std::string address =
          varnolt::WebPageAddress(static_cast<varnolt::WebPage>(page), *number);
      const std::filesystem::path path = folder_.File("temp.html");
      varnolt::WriteLines(path, varnolt::FramePageLines(address));
      openFile(PathText(path));
    });
  }
  button->setEnabled(true);
}

void Tfsub2::Button19Click() {
  OpenWebPage(findChild<QPushButton*>("Button19"), static_cast<int>(varnolt::WebPage::kYahoo));
}
void Tfsub2::Button20Click() {
  OpenWebPage(findChild<QPushButton*>("Button20"), static_cast<int>(varnolt::WebPage::kInfoseek));
}
void Tfsub2::Button21Click() {
  OpenWebPage(findChild<QPushButton*>("Button21"), static_cast<int>(varnolt::WebPage::kStatements));
}
