#pragma once

#include <QMainWindow>
#include <QStringList>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QToolButton;
class QWidget;

class DocumentCommands;
class ExternalLinks;
class NoticeFeed;
class ReaderWindows;
class ReadingHistory;
class RecordedVoice;
class SpeechController;
class PaneLayout;

// The reader's main window. It owns the controls and wires each control to the handler of the
// subsystem part that holds the logic; each subsystem's wiring lives in its own TfmMain*.cpp.
class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmMain(QStringList arguments, QWidget* parent = nullptr);
    ~TfmMain() override;

    // The other windows exist once the main window is created; they are handed in afterwards.
    void attachWindows(ReaderWindows& windows);

    static QString baseTitle();

    // Menus, in menu-bar order.
    QMenu* menuFile = nullptr;
    QMenu* menuEdit = nullptr;
    QMenu* menuSettings = nullptr;
    QMenu* menuView = nullptr;
    QMenu* menuSpeech = nullptr;
    QMenu* menuOnline = nullptr;
    QMenu* menuTools = nullptr;
    QMenu* menuHelp = nullptr;
    QMenu* menuShare = nullptr;

    // "文件"
    QAction* N13 = nullptr; // 新建文件
    QAction* N14 = nullptr; // 打开文件
    QAction* N15 = nullptr; // 保存文件
    QAction* N17 = nullptr; // 另存为...
    QAction* XT2 = nullptr; // 导出为文本文件
    QAction* N21 = nullptr; // 关闭阅读器
    // "编辑"
    QAction* N25 = nullptr;
    QAction* N43 = nullptr;
    QAction* N44 = nullptr;
    QAction* N45 = nullptr;
    QAction* N46 = nullptr;
    QAction* N48 = nullptr;
    QAction* N49 = nullptr;
    QAction* N50 = nullptr;
    QAction* N52 = nullptr;
    QAction* N9 = nullptr;
    // "设置": fonts, then backgrounds of left, right and notes
    QAction* N73 = nullptr;
    QAction* N74 = nullptr;
    QAction* N75 = nullptr;
    QAction* N76 = nullptr;
    QAction* N77 = nullptr;
    QAction* N78 = nullptr;
    // "查看"
    QAction* N79 = nullptr; // 语音播放和资讯窗口
    // "TTS语音"
    QAction* N20 = nullptr; // 朗读
    QAction* N27 = nullptr; // 暂停
    QAction* N28 = nullptr; // 停止
    QAction* N81 = nullptr;
    QAction* N82 = nullptr;
    QAction* N83 = nullptr;
    QAction* N84 = nullptr;
    QAction* N57 = nullptr; // 导出为语音文件
    // "在线资源"
    QAction* N37 = nullptr; // 在线英语学习资源
    // "工具集"
    QAction* N62 = nullptr; // 在线词典
    QAction* N61 = nullptr; // 外接词典 => 运行
    QAction* N63 = nullptr; // 外接词典 => 设置
    QAction* N39 = nullptr; // 录音机
    // "帮助"
    QAction* N29 = nullptr;
    QAction* N30 = nullptr;
    QAction* N31 = nullptr;
    QAction* QQ1 = nullptr;
    // "分享"
    QAction* QQ2 = nullptr;
    QAction* N1 = nullptr;

    // The left pane's context menu and its items.
    QMenu* PopupMenu1 = nullptr;
    QAction* N10 = nullptr;     // 在线查词
    QAction* PopOpen = nullptr; // 打开文件
    QAction* PopCut = nullptr;
    QAction* PopCopy = nullptr;
    QAction* PopPaste = nullptr;
    QAction* N11 = nullptr; // 朗读选定部分
    QAction* N6 = nullptr;  // 朗读
    QAction* N7 = nullptr;  // 暂停
    QAction* N8 = nullptr;  // 停止

    // Drop-down menus of the tool bar: "阅读设置" and "英汉词典".
    QMenu* PopupMenu3 = nullptr;
    QMenu* PopupMenuDict = nullptr;
    QAction* PopDictRun = nullptr;
    QAction* PopDictSet = nullptr;

    // Tool bar.
    QToolButton* ToolButton1 = nullptr; // 新建文件
    QToolButton* ToolButton2 = nullptr; // 打开文件
    QToolButton* ToolButton3 = nullptr; // 保存文件
    QComboBox* cmbEngines = nullptr;
    QToolButton* ToolButton4 = nullptr;       // 朗读
    QToolButton* ToolButton5 = nullptr;       // 暂停||继续
    QToolButton* ToolButton6 = nullptr;       // 停止
    QToolButton* ToolButtonReading = nullptr; // 阅读设置
    QToolButton* ToolButtonDict = nullptr;    // 英汉词典
    QToolButton* ToolButtonHelp = nullptr;    // 帮助
    QToolButton* ToolButtonSite = nullptr;    // 蓝岸英语官网
    QLabel* LabelHistory = nullptr;           // 阅读历史记录管理
    QComboBox* cbxhistorywz = nullptr;
    QListWidget* listhistorywzurl = nullptr; // hidden, parallel to the history box
    QWidget* Panelad = nullptr;              // the notice strip

    // Tab row and pages.
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QRadioButton* suiRadioButton1 = nullptr; // 左边
    QRadioButton* suiRadioButton2 = nullptr; // 右边
    QRadioButton* suiRadioButton3 = nullptr; // 左右对照
    QPushButton* BtnRead = nullptr;
    QPushButton* BtnOnline = nullptr; // 在线学习
    QPushButton* BtnDict = nullptr;   // 英汉词典
    QPushButton* BtnLookup = nullptr; // 在线词典
    QLineEdit* Edit3 = nullptr;
    QPushButton* BtnSearch = nullptr; // 资料搜索
    QCheckBox* chkAutoRun = nullptr;
    QPlainTextEdit* MemMain = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;

    // Bottom strip.
    QWidget* Panel4 = nullptr;
    QLineEdit* Edit1 = nullptr; // hidden: address of the recorded voice
    QLineEdit* Edit2 = nullptr; // local audio file
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QWidget* playerHost = nullptr; // holds the media player and its transport bar

    // Status strip links.
    QLabel* Label3 = nullptr;        // 蓝岸英语软件
    QLabel* Label7 = nullptr;        // 英语学习资料下载
    QLabel* LabelFeedback = nullptr; // 用户反馈

    QTimer* Timer1 = nullptr;

    // Subsystem parts (owned through Qt parenting or by the wiring files).
    DocumentCommands* documents = nullptr;
    SpeechController* speech = nullptr;
    PaneLayout* panes = nullptr;
    ReadingHistory* history = nullptr;
    NoticeFeed* feed = nullptr;
    ExternalLinks* links = nullptr;
    RecordedVoice* playback = nullptr;

    QString ExternalDictionaryPath;

    void setTitle(const QString& title);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildPages();
    void buildBottomStrip();
    void buildStatusStrip();
    void FormCreate();
    bool FormCloseQuery();

    // Wiring of each subsystem, each in its own file.
    void wireDocuments();
    void wireSettings();
    void wireSpeech();
    void wirePanes();
    void wireOnline();
    void wireLinks();
    void wirePlayback();

    // Creation steps that belong to the subsystems, in the order creation calls them.
    void firstRunAndAutoRunStep();
    void initVoicesStep();
    void fileAssociationStep();
    void initialPaneLayoutStep();
    void scrollCouplingStep();
    void commandLineDocumentStep();
    void loadHistoryStep();
    void externalDictionaryStep();
    void clearLeftoversStep();

    // Hooks that later parts fill.
    void StopReading();
    void stopPlayback();
    void BtnReadClick();
    void addToHistory(const QString& name, const QString& address);
    void saveHistoryOnClose();

    QStringList arguments_;
    ReaderWindows* windows_ = nullptr;
};
