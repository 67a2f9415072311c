<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>keyferry::AccessibilityPrompt</name>
    <message>
        <source>Accessibility Permission Required</source>
        <translation>Требуется разрешение специальных возможностей</translation>
    </message>
    <message>
        <source>Keyferry needs accessibility access to simulate keyboard input in other apps.</source>
        <translation>Keyferry нужен доступ к специальным возможностям, чтобы имитировать ввод с клавиатуры в других программах.</translation>
    </message>
    <message>
        <source>Enable Assistive Technologies</source>
        <translation>Включить вспомогательные технологии</translation>
    </message>
    <message>
        <source>Asks the desktop to turn on assistive technologies for every application</source>
        <translation>Просит рабочий стол включить вспомогательные технологии для всех программ</translation>
    </message>
    <message>
        <source>✔ Permission granted!</source>
        <translation>✔ Разрешение получено!</translation>
    </message>
</context>
<context>
    <name>keyferry::CSVPanel</name>
    <message>
        <source>Paste Rows</source>
        <translation>Вставить строки</translation>
    </message>
    <message>
        <source>CSV Export</source>
        <translation>Экспорт CSV</translation>
    </message>
    <message>
        <source>Save a CSV file with the header this template expects</source>
        <translation>Сохранить CSV-файл с заголовком, который ожидает этот шаблон</translation>
    </message>
    <message>
        <source>Copy header to clipboard</source>
        <translation>Скопировать заголовок в буфер обмена</translation>
    </message>
    <message>
        <source>CSV Import</source>
        <translation>Импорт CSV</translation>
    </message>
    <message>
        <source>Load a CSV file or an .xlsx or .ods workbook (you can also drop one here, or paste rows with Ctrl+V)</source>
        <translation>Загрузить CSV-файл или книгу .xlsx или .ods (её также можно перетащить сюда или вставить строки через Ctrl+V)</translation>
    </message>
    <message>
        <source>Show or hide the preview</source>
        <translation>Показать или скрыть предпросмотр</translation>
    </message>
    <message>
        <source>No text input step in template</source>
        <translation>В шаблоне нет шага ввода текста</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Разделитель</translation>
    </message>
    <message>
        <source>The character between the fields of the file; choosing one reads the file again</source>
        <translation>Символ между полями файла; при выборе файл читается заново</translation>
    </message>
    <message>
        <source>&amp;Separator:</source>
        <translation>&amp;Разделитель:</translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation>Лист</translation>
    </message>
    <message>
        <source>The sheet of the workbook whose rows are imported</source>
        <translation>Лист книги, строки которого импортируются</translation>
    </message>
    <message>
        <source>Shee&amp;t:</source>
        <translation>&amp;Лист:</translation>
    </message>
    <message>
        <source>Take the rows on the clipboard, copied from a spreadsheet with the header row, as the table</source>
        <translation>Взять как таблицу строки из буфера обмена, скопированные из электронной таблицы вместе со строкой заголовка</translation>
    </message>
    <message>
        <source>CSV preview</source>
        <translation>Предпросмотр CSV</translation>
    </message>
    <message>
        <source>The first 100 rows of the imported file</source>
        <translation>Первые 100 строк импортированного файла</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n запись</numerusform>
            <numerusform>%n записи</numerusform>
            <numerusform>%n записей</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries, hide preview</source>
        <translation>
            <numerusform>%n запись, скрыть предпросмотр</numerusform>
            <numerusform>%n записи, скрыть предпросмотр</numerusform>
            <numerusform>%n записей, скрыть предпросмотр</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries, show preview</source>
        <translation>
            <numerusform>%n запись, показать предпросмотр</numerusform>
            <numerusform>%n записи, показать предпросмотр</numerusform>
            <numerusform>%n записей, показать предпросмотр</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>... and %n more rows</source>
        <translation>
            <numerusform>... и ещё %n строка</numerusform>
            <numerusform>... и ещё %n строки</numerusform>
            <numerusform>... и ещё %n строк</numerusform>
        </translation>
    </message>
    <message>
        <source>Tables (*.csv *.CSV *.tsv *.TSV *.txt *.TXT *.xlsx *.XLSX *.xlsm *.XLSM *.ods *.ODS);;All files (*)</source>
        <translation>Таблицы (*.csv *.CSV *.tsv *.TSV *.txt *.TXT *.xlsx *.XLSX *.xlsm *.XLSM *.ods *.ODS);;Все файлы (*)</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Автоматически</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Точка с запятой</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Запятая</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Табуляция</translation>
    </message>
    <message>
        <source>Pipe</source>
        <translation>Вертикальная черта</translation>
    </message>
</context>
<context>
    <name>keyferry::CapabilityNoticeView</name>
    <message>
        <source>What this desktop lacks</source>
        <translation>Чего не хватает этому рабочему столу</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Скрыть</translation>
    </message>
    <message>
        <source>Hide what this desktop lacks</source>
        <translation>Скрыть, чего не хватает рабочему столу</translation>
    </message>
    <message>
        <source>Hide this list until Keyferry starts again</source>
        <translation>Скрыть этот список до следующего запуска Keyferry</translation>
    </message>
    <message>
        <source>What you can do: %1</source>
        <translation>Что можно сделать: %1</translation>
    </message>
    <message>
        <source>Not available on this desktop (%1)</source>
        <translation>Недоступно в этой среде (%1)</translation>
    </message>
    <message>
        <source>%1: %2. What you can do: %3.</source>
        <translation>%1: %2. Что можно сделать: %3.</translation>
    </message>
</context>
<context>
    <name>keyferry::CoreText</name>
    <message>
        <source>refused</source>
        <translation>отклонено</translation>
    </message>
    <message>
        <source>Entry %1 refused: the application sent the form back with its values</source>
        <translation>Запись %1 отклонена: приложение вернуло форму с её значениями</translation>
    </message>
    <message>
        <source>Entry %1 refused: %2</source>
        <translation>Запись %1 отклонена: %2</translation>
    </message>
    <message>
        <source>Text Input</source>
        <translation>Ввод текста</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Wait (Click)</source>
        <translation>Ждать (щелчок)</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Skip Tabs</source>
        <translation>Пропустить Tab</translation>
    </message>
    <message>
        <source>Select All &amp; Clear</source>
        <translation>Выделить всё и очистить</translation>
    </message>
    <message>
        <source>Arrow Key</source>
        <translation>Клавиша со стрелкой</translation>
    </message>
    <message>
        <source>Mouse Click</source>
        <translation>Щелчок мышью</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Влево</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Вправо</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Одинарный</translation>
    </message>
    <message>
        <source>Double</source>
        <translation>Двойной</translation>
    </message>
    <message>
        <source>Target app not found!</source>
        <translation>Целевая программа не найдена!</translation>
    </message>
    <message>
        <source>Target app no longer in foreground</source>
        <translation>Целевая программа больше не на переднем плане</translation>
    </message>
    <message>
        <source>Paused: keyboard or mouse used</source>
        <translation>Пауза: использована клавиатура или мышь</translation>
    </message>
    <message>
        <source>Accessibility permission revoked!</source>
        <translation>Разрешение специальных возможностей отозвано!</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Остановлено</translation>
    </message>
    <message>
        <source>Waiting for click...</source>
        <translation>Ожидание щелчка...</translation>
    </message>
    <message>
        <source>Debug cancelled</source>
        <translation>Отладка отменена</translation>
    </message>
    <message>
        <source>Debug complete</source>
        <translation>Отладка завершена</translation>
    </message>
    <message>
        <source>Could not activate target app!</source>
        <translation>Не удалось активировать целевую программу!</translation>
    </message>
    <message>
        <source>Waiting for your permission to type: answer the desktop&apos;s question (“Allow remote interaction”).</source>
        <translation>Ожидание разрешения на ввод: ответьте на вопрос рабочего стола («Allow remote interaction»).</translation>
    </message>
    <message>
        <source>entered</source>
        <translation>введено</translation>
    </message>
    <message>
        <source>verified</source>
        <translation>проверено</translation>
    </message>
    <message>
        <source>mismatch</source>
        <translation>с расхождением</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>на паузе</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>остановлено</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>с ошибкой</translation>
    </message>
    <message>
        <source>wrong field</source>
        <translation>не то поле</translation>
    </message>
    <message>
        <source>Row %1/%2 ✓</source>
        <translation>Строка %1/%2 ✓</translation>
    </message>
    <message>
        <source>Could not send keyboard input at row %1: %2</source>
        <translation>Не удалось отправить ввод с клавиатуры в строке %1: %2</translation>
    </message>
    <message>
        <source>Could not send mouse input at row %1: %2</source>
        <translation>Не удалось отправить действие мыши в строке %1: %2</translation>
    </message>
    <message>
        <source>Could not send keyboard input: %1</source>
        <translation>Не удалось отправить ввод с клавиатуры: %1</translation>
    </message>
    <message>
        <source>Could not send mouse input: %1</source>
        <translation>Не удалось отправить действие мыши: %1</translation>
    </message>
    <message>
        <source>Keyferry may not type here: %1</source>
        <translation>Keyferry не может вводить здесь: %1</translation>
    </message>
    <message>
        <source>Expected field %1, but the focus is on %2</source>
        <translation>Ожидалось поле %1, но фокус на %2</translation>
    </message>
    <message>
        <source>Expected field %1, but no field has the focus</source>
        <translation>Ожидалось поле %1, но ни одно поле не в фокусе</translation>
    </message>
    <message>
        <source>Field %1 did not come within %2 s</source>
        <translation>Поле %1 не появилось за %2 с</translation>
    </message>
    <message>
        <source>Field &quot;%1&quot; shows &quot;%2&quot;, expected &quot;%3&quot;</source>
        <translation>Поле «%1» показывает «%2», ожидалось «%3»</translation>
    </message>
    <message>
        <source>The field shows &quot;%1&quot;, expected &quot;%2&quot;</source>
        <translation>Поле показывает «%1», ожидалось «%2»</translation>
    </message>
    <message>
        <source>Error at step %1! %2</source>
        <translation>Ошибка на шаге %1! %2</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 → &quot;%4&quot; in field %5</source>
        <translation>Шаг %1/%2: %3 → «%4» в поле %5</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 → &quot;%4&quot;</source>
        <translation>Шаг %1/%2: %3 → «%4»</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 in field %4</source>
        <translation>Шаг %1/%2: %3 в поле %4</translation>
    </message>
    <message>
        <source>Step %1/%2: %3</source>
        <translation>Шаг %1/%2: %3</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>осталось около %1 с</translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation>осталось около %1 мин</translation>
    </message>
    <message>
        <source>about %1 h %2 min left</source>
        <translation>осталось около %1 ч %2 мин</translation>
    </message>
    <message>
        <source>Separated by semicolons</source>
        <translation>Разделитель — точка с запятой</translation>
    </message>
    <message>
        <source>Separated by commas</source>
        <translation>Разделитель — запятая</translation>
    </message>
    <message>
        <source>Separated by tabs</source>
        <translation>Разделитель — табуляция</translation>
    </message>
    <message>
        <source>Separated by pipes (|)</source>
        <translation>Разделитель — вертикальная черта (|)</translation>
    </message>
    <message>
        <source>Pasted rows, separated by tabs</source>
        <translation>Вставленные строки, разделитель — табуляция</translation>
    </message>
    <message>
        <source>Invalid configuration</source>
        <translation>Неверная конфигурация</translation>
    </message>
    <message>
        <source>Invalid input</source>
        <translation>Неверные входные данные</translation>
    </message>
    <message>
        <source>Stream failure</source>
        <translation>Ошибка чтения</translation>
    </message>
    <message>
        <source>The clipboard holds no rows. Copy the cells in the spreadsheet, header row included.</source>
        <translation>В буфере обмена нет строк. Скопируйте ячейки в электронной таблице вместе со строкой заголовка.</translation>
    </message>
    <message>
        <source>CSV has %1 columns, template expects %2: %3</source>
        <translation>В CSV столбцов: %1, шаблон ожидает %2: %3</translation>
    </message>
    <message>
        <source>Column names don&apos;t match: %1</source>
        <translation>Имена столбцов не совпадают: %1</translation>
    </message>
    <message>
        <source>Import failed: %1</source>
        <translation>Импорт не удался: %1</translation>
    </message>
    <message>
        <source>Paste failed: %1</source>
        <translation>Вставка не удалась: %1</translation>
    </message>
    <message>
        <source>Export failed: %1</source>
        <translation>Экспорт не удался: %1</translation>
    </message>
    <message>
        <source>semicolons</source>
        <translation>точками с запятой</translation>
    </message>
    <message>
        <source>commas</source>
        <translation>запятыми</translation>
    </message>
    <message>
        <source>tabs</source>
        <translation>табуляциями</translation>
    </message>
    <message>
        <source>pipes (|)</source>
        <translation>вертикальными чертами (|)</translation>
    </message>
    <message>
        <source>, </source>
        <comment>a joint of a list</comment>
        <translation>, </translation>
    </message>
    <message>
        <source> or </source>
        <comment>the last joint of a list</comment>
        <translation> или </translation>
    </message>
    <message>
        <source>Read as semicolon-separated: the header line could be separated by %1</source>
        <translation>Прочитано как разделённое точками с запятой: строка заголовка может быть разделена %1</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) show their stored value (format not supported): %2</source>
        <translation>
            <numerusform>%n ячейка показывает сохранённое значение (формат не поддерживается): %2</numerusform>
            <numerusform>%n ячейки показывают сохранённое значение (формат не поддерживается): %2</numerusform>
            <numerusform>%n ячеек показывают сохранённое значение (формат не поддерживается): %2</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 и ещё %2</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... и ещё %1</translation>
    </message>
    <message>
        <source>%1: format &quot;%2&quot;</source>
        <translation>%1: формат «%2»</translation>
    </message>
    <message>
        <source>GNOME on Wayland lets applications type only through the desktop portal, which does not answer (%1)</source>
        <translation>GNOME в Wayland разрешает приложениям ввод только через портал рабочего стола, а он не отвечает (%1)</translation>
    </message>
    <message>
        <source>Keyferry&apos;s GNOME Shell extension is not running (%1)</source>
        <translation>расширение GNOME Shell для Keyferry не запущено (%1)</translation>
    </message>
    <message>
        <source>This step cannot run on this desktop (%1). %2</source>
        <translation>Этот шаг не может выполняться в этой среде (%1). %2</translation>
    </message>
    <message>
        <source>Not started: step %1 (%2) cannot run on this desktop (%3). %4</source>
        <translation>Не запущено: шаг %1 (%2) не может выполняться в этой среде (%3). %4</translation>
    </message>
    <message>
        <source>“%1” is missing: %2. What you can do: %3.</source>
        <translation>Нет возможности «%1»: %2. Что можно сделать: %3.</translation>
    </message>
    <message>
        <source>other wlroots compositor</source>
        <translation>другой композитор wlroots</translation>
    </message>
    <message>
        <source>simulated</source>
        <translation>имитация</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>неизвестно</translation>
    </message>
    <message>
        <source>type layout text</source>
        <translation>ввод символов раскладки</translation>
    </message>
    <message>
        <source>type any text</source>
        <translation>ввод любого текста</translation>
    </message>
    <message>
        <source>click</source>
        <translation>щелчки</translation>
    </message>
    <message>
        <source>list windows</source>
        <translation>список окон</translation>
    </message>
    <message>
        <source>activate</source>
        <translation>вывод на передний план</translation>
    </message>
    <message>
        <source>window bounds</source>
        <translation>границы окон</translation>
    </message>
    <message>
        <source>stop hotkey</source>
        <translation>клавиша остановки</translation>
    </message>
    <message>
        <source>record keys</source>
        <translation>запись клавиш</translation>
    </message>
    <message>
        <source>record fields</source>
        <translation>запись полей</translation>
    </message>
    <message>
        <source>pause on user input</source>
        <translation>пауза при вводе пользователя</translation>
    </message>
    <message>
        <source>see the user&apos;s clicks</source>
        <translation>видеть щелчки пользователя</translation>
    </message>
    <message>
        <source>the X server lacks XTest or XInput2, or assistive technologies are off</source>
        <translation>у X-сервера нет XTest или XInput2, или вспомогательные технологии выключены</translation>
    </message>
    <message>
        <source>this desktop is not one Keyferry knows</source>
        <translation>Keyferry не знает эту среду</translation>
    </message>
    <message>
        <source>Keyferry&apos;s GNOME Shell extension is not running</source>
        <translation>расширение GNOME Shell для Keyferry не запущено</translation>
    </message>
    <message>
        <source>KDE Plasma on Wayland does not offer its virtual keyboard to applications</source>
        <translation>KDE Plasma в Wayland не даёт приложениям свою виртуальную клавиатуру</translation>
    </message>
    <message>
        <source>KDE Plasma on Wayland does not offer its virtual pointer to applications</source>
        <translation>KDE Plasma в Wayland не даёт приложениям свой виртуальный указатель</translation>
    </message>
    <message>
        <source>the desktop portal types only the characters of your keyboard layout</source>
        <translation>портал рабочего стола вводит только символы вашей раскладки клавиатуры</translation>
    </message>
    <message>
        <source>the size of the desktop is unknown without sway&apos;s IPC</source>
        <translation>без IPC sway размер рабочего стола неизвестен</translation>
    </message>
    <message>
        <source>this compositor tells applications no window positions</source>
        <translation>этот композитор не сообщает приложениям положение окон</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application see keys meant for others, and only sway&apos;s IPC can make a shortcut for Keyferry</source>
        <translation>ни один композитор Wayland не показывает приложению клавиши, предназначенные другим, и только IPC sway может создать сочетание клавиш для Keyferry</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application watch the keys typed into other applications</source>
        <translation>ни один композитор Wayland не позволяет приложению видеть клавиши, нажатые в других приложениях</translation>
    </message>
    <message>
        <source>the recorder follows the focus from field to field through the accessibility bus, which cannot be reached</source>
        <translation>запись следует за фокусом от поля к полю через шину специальных возможностей, а она недоступна</translation>
    </message>
    <message>
        <source>a recording ends with Esc, which only Keyferry&apos;s GNOME Shell extension can keep from the applications for Keyferry</source>
        <translation>запись завершается клавишей Esc, и только расширение GNOME Shell для Keyferry может забрать её у приложений для Keyferry</translation>
    </message>
    <message>
        <source>a recording ends with Esc, which only sway&apos;s IPC or KDE&apos;s global shortcuts can keep from the applications for Keyferry</source>
        <translation>запись завершается клавишей Esc, и только IPC sway или глобальные сочетания клавиш KDE могут забрать её у приложений для Keyferry</translation>
    </message>
    <message>
        <source>Wayland shows Keyferry none of your own key presses and clicks, so a run does not pause when you type or click (it still pauses when the focus leaves the target window)</source>
        <translation>Wayland не показывает Keyferry ваши нажатия клавиш и щелчки, поэтому запуск не приостанавливается, когда вы печатаете или щёлкаете (но приостанавливается, когда фокус покидает целевое окно)</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application see clicks made in other applications</source>
        <translation>ни один композитор Wayland не показывает приложению щелчки в других приложениях</translation>
    </message>
    <message>
        <source>use a desktop that offers it</source>
        <translation>используйте среду, в которой это есть</translation>
    </message>
    <message>
        <source>turn on assistive technologies (accessibility) in the desktop&apos;s settings and log in again</source>
        <translation>включите вспомогательные технологии (специальные возможности) в настройках среды и войдите снова</translation>
    </message>
    <message>
        <source>start Keyferry inside a graphical session (DISPLAY or WAYLAND_DISPLAY set)</source>
        <translation>запустите Keyferry в графическом сеансе (с заданным DISPLAY или WAYLAND_DISPLAY)</translation>
    </message>
    <message>
        <source>log in to an X11 (Xorg) session, or use sway or another wlroots compositor</source>
        <translation>войдите в сеанс X11 (Xorg) или используйте sway либо другой композитор wlroots</translation>
    </message>
    <message>
        <source>turn on Keyferry&apos;s GNOME Shell extension (Keyferry&apos;s start script installs it): gnome-extensions enable keyferry@keyferry.org, then log out and in again</source>
        <translation>включите расширение GNOME Shell для Keyferry (его устанавливает сценарий запуска Keyferry): gnome-extensions enable keyferry@keyferry.org, затем выйдите и войдите снова</translation>
    </message>
    <message>
        <source>keep to your layout&apos;s characters or add a layout that has them; a run names the characters it cannot type before it starts</source>
        <translation>используйте символы своей раскладки или добавьте раскладку, в которой они есть; запуск ещё до начала называет символы, которые он не может ввести</translation>
    </message>
    <message>
        <source>install xdg-desktop-portal and xdg-desktop-portal-gnome</source>
        <translation>установите xdg-desktop-portal и xdg-desktop-portal-gnome</translation>
    </message>
    <message>
        <source>use Tab and arrow keys instead of clicks, or run on an X11 session</source>
        <translation>используйте Tab и стрелки вместо щелчков или работайте в сеансе X11</translation>
    </message>
    <message>
        <source>start Keyferry from inside the sway session, so that SWAYSOCK is set, or use sway</source>
        <translation>запустите Keyferry внутри сеанса sway, чтобы был задан SWAYSOCK, или используйте sway</translation>
    </message>
    <message>
        <source>use templates without clicks at window positions, or use sway</source>
        <translation>используйте шаблоны без щелчков по позициям в окне или используйте sway</translation>
    </message>
    <message>
        <source>stop a run with Ctrl+C in its terminal or the Stop button in Keyferry&apos;s window</source>
        <translation>останавливайте запуск клавишами Ctrl+C в его терминале или кнопкой «Стоп» в окне Keyferry</translation>
    </message>
    <message>
        <source>record the template on an X11 session, or write its steps in the template editor</source>
        <translation>запишите шаблон в сеансе X11 или задайте его шаги в редакторе шаблонов</translation>
    </message>
    <message>
        <source>turn on assistive technologies in your session, or add the fields as steps in the template editor</source>
        <translation>включите вспомогательные технологии в своём сеансе или добавьте поля как шаги в редакторе шаблонов</translation>
    </message>
    <message>
        <source>record on sway, started so that SWAYSOCK is set, or add the fields as steps in the template editor</source>
        <translation>записывайте в sway, запущенном так, чтобы был задан SWAYSOCK, или добавьте поля как шаги в редакторе шаблонов</translation>
    </message>
    <message>
        <source>keep your hands off the keyboard and mouse during a run, or stop it first</source>
        <translation>не трогайте клавиатуру и мышь во время запуска или сначала остановите его</translation>
    </message>
    <message>
        <source>use a Pause step instead of waiting for a click, or run on an X11 session</source>
        <translation>используйте шаг «Пауза» вместо ожидания щелчка или работайте в сеансе X11</translation>
    </message>
    <message>
        <source>the desktop portal places clicks only within a screen cast, which Keyferry does not ask for, or through libei, which failed: %1</source>
        <translation>портал рабочего стола выполняет щелчки только внутри трансляции экрана, которую Keyferry не запрашивает, или через libei, который не сработал: %1</translation>
    </message>
    <message>
        <source>the compositor refused the virtual keyboard (%1)</source>
        <translation>композитор отказал в виртуальной клавиатуре (%1)</translation>
    </message>
    <message>
        <source>the compositor offers no virtual keyboard to applications</source>
        <translation>композитор не даёт приложениям виртуальную клавиатуру</translation>
    </message>
    <message>
        <source>the compositor offers no virtual pointer to applications</source>
        <translation>композитор не даёт приложениям виртуальный указатель</translation>
    </message>
    <message>
        <source>the keymap could not be uploaded</source>
        <translation>не удалось передать раскладку клавиш</translation>
    </message>
    <message>
        <source>no sway IPC socket (SWAYSOCK is not set)</source>
        <translation>нет сокета IPC sway (SWAYSOCK не задан)</translation>
    </message>
    <message>
        <source>the desktop portal places clicks only within a screen cast, which Keyferry does not ask for</source>
        <translation>портал рабочего стола выполняет щелчки только внутри трансляции экрана, которую Keyferry не запрашивает</translation>
    </message>
</context>
<context>
    <name>keyferry::HelpWindow</name>
    <message>
        <source>Keyferry Help</source>
        <translation>Справка Keyferry</translation>
    </message>
    <message>
        <source>Automated form filling from CSV templates</source>
        <translation>Автоматическое заполнение форм по шаблонам из CSV</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Обзор</translation>
    </message>
    <message>
        <source>Keyferry automates repetitive data entry by simulating keyboard input in any target application. You define a workflow of steps (text inputs, tabs, returns, etc.), load data from a CSV file, and Keyferry types it into the target app — row by row.</source>
        <translation>Keyferry автоматизирует повторяющийся ввод данных, имитируя нажатия клавиш в любой целевой программе. Вы задаёте последовательность шагов (ввод текста, Tab, Enter и т. д.), загружаете данные из CSV-файла, и Keyferry вводит их в целевую программу строка за строкой.</translation>
    </message>
    <message>
        <source>Getting Started</source>
        <translation>Начало работы</translation>
    </message>
    <message>
        <source>Grant Accessibility Permission</source>
        <translation>Разрешите специальные возможности</translation>
    </message>
    <message>
        <source>Keyferry works in an X11 session and needs the desktop&apos;s assistive technologies turned on, so that applications show which field has the focus. On first launch Keyferry asks for it; press &quot;Enable Assistive Technologies&quot; and restart the applications you want to fill in. This is required to simulate keyboard input.</source>
        <translation>Keyferry работает в сеансе X11, и ему нужны включённые вспомогательные технологии рабочего стола, чтобы программы сообщали, у какого поля фокус. При первом запуске Keyferry попросит об этом; нажмите «Включить вспомогательные технологии» и перезапустите программы, которые хотите заполнять. Без этого имитировать ввод с клавиатуры нельзя.</translation>
    </message>
    <message>
        <source>Create a Template</source>
        <translation>Создайте шаблон</translation>
    </message>
    <message>
        <source>Click the + button in the sidebar to create a new template. Give it a name and select a target application from the dropdown.</source>
        <translation>Нажмите кнопку + на боковой панели, чтобы создать новый шаблон. Дайте ему имя и выберите целевую программу в раскрывающемся списке.</translation>
    </message>
    <message>
        <source>Define Steps</source>
        <translation>Задайте шаги</translation>
    </message>
    <message>
        <source>Add steps manually with &quot;Add Step&quot; or use the recorder to capture your workflow automatically.</source>
        <translation>Добавляйте шаги вручную кнопкой «Добавить шаг» или запишите последовательность автоматически с помощью записи.</translation>
    </message>
    <message>
        <source>Import CSV Data</source>
        <translation>Импортируйте данные CSV</translation>
    </message>
    <message>
        <source>Export a CSV template, fill it with your data, then import it back. Drag &amp; drop also works.</source>
        <translation>Экспортируйте CSV-шаблон, заполните его своими данными и импортируйте обратно. Перетаскивание тоже работает.</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Запустите</translation>
    </message>
    <message>
        <source>Click &quot;Start&quot; in the Runner panel to begin automated entry.</source>
        <translation>Нажмите «Старт» на панели «Запуск», чтобы начать автоматический ввод.</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Шаблоны</translation>
    </message>
    <message>
        <source>A template defines the workflow for filling out a form. It consists of:</source>
        <translation>Шаблон задаёт последовательность действий для заполнения формы. Он состоит из:</translation>
    </message>
    <message>
        <source>Template Name</source>
        <translation>Имя шаблона</translation>
    </message>
    <message>
        <source>A descriptive name shown in the sidebar</source>
        <translation>Понятного имени, которое видно на боковой панели</translation>
    </message>
    <message>
        <source>Target App</source>
        <translation>Целевая программа</translation>
    </message>
    <message>
        <source>The application where input will be simulated</source>
        <translation>Программы, в которой имитируется ввод</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Шаги</translation>
    </message>
    <message>
        <source>An ordered list of actions to perform per data row</source>
        <translation>Упорядоченного списка действий для каждой строки данных</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Countdown, character delay, and post-delay timing</source>
        <translation>Обратный отсчёт, задержка символа и задержка после шага</translation>
    </message>
    <message>
        <source>Right-click a template in the sidebar to rename, duplicate, or delete it.</source>
        <translation>Щёлкните шаблон на боковой панели правой кнопкой мыши, чтобы переименовать, дублировать или удалить его.</translation>
    </message>
    <message>
        <source>Step Types</source>
        <translation>Типы шагов</translation>
    </message>
    <message>
        <source>Types text from the CSV column (or a fixed value) into the current field. Automatically presses Tab after typing.</source>
        <translation>Вводит текст из столбца CSV (или фиксированное значение) в текущее поле. После ввода автоматически нажимает Tab.</translation>
    </message>
    <message>
        <source>Presses the Tab key to move to the next field.</source>
        <translation>Нажимает клавишу Tab, чтобы перейти к следующему полю.</translation>
    </message>
    <message>
        <source>Presses the Return/Enter key.</source>
        <translation>Нажимает клавишу Enter (Return).</translation>
    </message>
    <message>
        <source>Pauses and waits for you to click in the target app before continuing. Useful for navigating to a specific location.</source>
        <translation>Останавливается и ждёт, пока вы щёлкнете в целевой программе, и лишь затем продолжает. Удобно, чтобы перейти в определённое место.</translation>
    </message>
    <message>
        <source>Waits for the configured post-delay duration.</source>
        <translation>Ждёт заданную задержку после шага.</translation>
    </message>
    <message>
        <source>Presses Tab multiple times (set via the Repeat column).</source>
        <translation>Нажимает Tab несколько раз (число задаётся в столбце повторов).</translation>
    </message>
    <message>
        <source>Selects all text in the current field (Ctrl+A) and deletes it.</source>
        <translation>Выделяет весь текст в текущем поле (Ctrl+A) и удаляет его.</translation>
    </message>
    <message>
        <source>Presses an arrow key (Up/Down/Left/Right). Supports repeat count for multiple presses.</source>
        <translation>Нажимает клавишу со стрелкой (вверх/вниз/влево/вправо). Можно задать число повторов, чтобы нажать несколько раз.</translation>
    </message>
    <message>
        <source>Simulates a mouse click (Left/Right, Single/Double). Can click at the current mouse position or at recorded coordinates relative to the target app window.</source>
        <translation>Имитирует щелчок мышью (левой/правой кнопкой, одинарный/двойной). Щёлкает в текущей позиции указателя или по записанным координатам относительно окна целевой программы.</translation>
    </message>
    <message>
        <source>Fixed Values</source>
        <translation>Фиксированные значения</translation>
    </message>
    <message>
        <source>Click the pin icon next to a Text Input step to set a fixed value. Fixed values are typed for every row instead of reading from the CSV file. Fixed steps don&apos;t require a CSV column.</source>
        <translation>Нажмите значок булавки рядом с шагом «Ввод текста», чтобы задать фиксированное значение. Фиксированные значения вводятся в каждой строке вместо значений из CSV-файла. Фиксированным шагам столбец CSV не нужен.</translation>
    </message>
    <message>
        <source>Click the pin icon again to unpin and revert to CSV-based input.</source>
        <translation>Нажмите значок булавки ещё раз, чтобы открепить значение и снова брать его из CSV.</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>The Recorder captures your workflow by watching which fields you navigate through:</source>
        <translation>Запись фиксирует вашу последовательность, отслеживая, по каким полям вы переходите:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Click the red &quot;Record&quot; button</source>
        <translation>Нажмите красную кнопку «Записать»</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>In the target app, put the focus just before the first field (Shift+Tab): each Tab records the element it reaches</source>
        <translation>В целевой программе поставьте фокус прямо перед первым полем (Shift+Tab): каждое нажатие Tab записывает элемент, на который оно переходит</translation>
    </message>
    <message>
        <source>Navigate</source>
        <translation>Переходы</translation>
    </message>
    <message>
        <source>Use Tab to move between fields in the target app</source>
        <translation>Переходите между полями целевой программы клавишей Tab</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Отправка</translation>
    </message>
    <message>
        <source>Press Return on the button that sends the form</source>
        <translation>Нажмите Enter на кнопке, которая отправляет форму</translation>
    </message>
    <message>
        <source>Toggle Type</source>
        <translation>Смена типа</translation>
    </message>
    <message>
        <source>Press Alt+Space to change a step&apos;s type</source>
        <translation>Нажмите Alt+Space, чтобы сменить тип шага</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Press Esc to finish recording</source>
        <translation>Нажмите Esc, чтобы закончить запись</translation>
    </message>
    <message>
        <source>After recording, you can either replace all existing steps or insert the recorded steps after a specific position.</source>
        <translation>После записи можно либо заменить все имеющиеся шаги, либо вставить записанные шаги после определённой позиции.</translation>
    </message>
    <message>
        <source>CSV Data</source>
        <translation>Данные CSV</translation>
    </message>
    <message>
        <source>Keyferry uses semicolon-separated CSV files (;) with a header row. Column names must match the labels of your Text Input steps.</source>
        <translation>Keyferry использует CSV-файлы с точкой с запятой (;) в качестве разделителя и строкой заголовка. Имена столбцов должны совпадать с метками ваших шагов «Ввод текста».</translation>
    </message>
    <message>
        <source>CSV Export</source>
        <translation>Экспорт CSV</translation>
    </message>
    <message>
        <source>Generates a CSV template with the correct headers for your template</source>
        <translation>Создаёт CSV-шаблон с нужными заголовками для вашего шаблона</translation>
    </message>
    <message>
        <source>CSV Import</source>
        <translation>Импорт CSV</translation>
    </message>
    <message>
        <source>Loads a CSV file and validates it against your template</source>
        <translation>Загружает CSV-файл и проверяет его по вашему шаблону</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Буфер обмена</translation>
    </message>
    <message>
        <source>Copies the header row to the clipboard for pasting into a spreadsheet</source>
        <translation>Копирует строку заголовка в буфер обмена, чтобы вставить её в электронную таблицу</translation>
    </message>
    <message>
        <source>Drag &amp; Drop</source>
        <translation>Перетаскивание</translation>
    </message>
    <message>
        <source>Drop a .csv file onto the CSV area to import it</source>
        <translation>Перетащите файл .csv в область CSV, чтобы импортировать его</translation>
    </message>
    <message>
        <source>Spreadsheets</source>
        <translation>Электронные таблицы</translation>
    </message>
    <message>
        <source>Comma-, tab- and pipe-separated files, .xlsx and .ods workbooks import too; the CSV area shows the separator found (change it in the Separator box) and lets you pick a workbook&apos;s sheet</source>
        <translation>Импортируются также файлы с разделителями-запятыми, табуляциями и вертикальными чертами, а также книги .xlsx и .ods; область CSV показывает найденный разделитель (его можно изменить в поле «Разделитель») и позволяет выбрать лист книги</translation>
    </message>
    <message>
        <source>Paste Rows</source>
        <translation>Вставить строки</translation>
    </message>
    <message>
        <source>Copy the cells in a spreadsheet, header row included, and press Ctrl+V in the CSV area (or Edit &gt; Paste Rows)</source>
        <translation>Скопируйте ячейки в электронной таблице вместе со строкой заголовка и нажмите Ctrl+V в области CSV (или Правка &gt; Вставить строки)</translation>
    </message>
    <message>
        <source>Runner</source>
        <translation>Запуск</translation>
    </message>
    <message>
        <source>The Runner executes your template against the loaded CSV data:</source>
        <translation>Запуск выполняет ваш шаблон с загруженными данными CSV:</translation>
    </message>
    <message>
        <source>Runs all entries from the specified starting row</source>
        <translation>Выполняет все записи, начиная с указанной строки</translation>
    </message>
    <message>
        <source>Test Run</source>
        <translation>Пробный прогон</translation>
    </message>
    <message>
        <source>Executes only one entry for testing</source>
        <translation>Выполняет только одну запись для проверки</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Temporarily halts execution; click Resume to continue</source>
        <translation>Временно приостанавливает выполнение; нажмите «Продолжить», чтобы продолжить</translation>
    </message>
    <message>
        <source>Cancels execution immediately (also via Ctrl+Shift+Esc)</source>
        <translation>Немедленно отменяет выполнение (также по Ctrl+Shift+Esc)</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Продолжить</translation>
    </message>
    <message>
        <source>After completion or pause, resumes from where it left off</source>
        <translation>После завершения или паузы продолжает с того места, где остановился</translation>
    </message>
    <message>
        <source>The runner shows a progress bar with the entries done and the time left during execution. If the target app loses focus, execution pauses automatically.</source>
        <translation>Во время выполнения индикатор показывает число готовых записей и оставшееся время. Если целевая программа теряет фокус, выполнение автоматически приостанавливается.</translation>
    </message>
    <message>
        <source>With &quot;Pause when I type or click&quot; on, pressing a key or clicking anywhere pauses the run before its next keystroke, so that your input and Keyferry&apos;s never mix. While a Wait (Click) step waits for you, clicking is expected and does not pause.</source>
        <translation>Когда включено «Пауза, когда я печатаю или щёлкаю», нажатие клавиши или щелчок в любом месте приостанавливает прогон перед его следующим нажатием, чтобы ваш ввод никогда не смешивался с вводом Keyferry. Пока шаг «Ждать (щелчок)» ждёт вас, щелчок ожидается и паузу не вызывает.</translation>
    </message>
    <message>
        <source>After every typed field Keyferry reads the field back through the accessibility interface (&quot;Check typed text&quot;). A field that does not show what was typed pauses the run at that row, naming the field and both texts. Fields that cannot be read, such as password fields, are not checked.</source>
        <translation>После каждого введённого поля Keyferry считывает его обратно через интерфейс специальных возможностей («Проверять введённый текст»). Если поле показывает не то, что было введено, прогон приостанавливается на этой строке и называет поле и оба текста. Поля, которые нельзя прочитать, например поля паролей, не проверяются.</translation>
    </message>
    <message>
        <source>Every run is recorded in a journal (in ~/.local/state/Keyferry/runs; it holds no cell values except the two texts of a mismatch). After a run the results list each row that was not entered; &quot;Run Failed Rows&quot; runs just those again, as long as the same CSV file is imported unchanged.</source>
        <translation>Каждый прогон записывается в журнал (в ~/.local/state/Keyferry/runs; в нём нет значений ячеек, кроме двух текстов расхождения). После прогона в результатах перечислены все строки, которые не были введены; «Повторить неудачные строки» выполняет только их, пока импортирован тот же CSV-файл без изменений.</translation>
    </message>
    <message>
        <source>Debug Mode</source>
        <translation>Режим отладки</translation>
    </message>
    <message>
        <source>Debug mode executes your workflow step-by-step in the actual target app, using realistic placeholder data. After each step, Keyferry waits for you to click &quot;Next&quot; before proceeding.</source>
        <translation>Режим отладки выполняет вашу последовательность шаг за шагом в настоящей целевой программе на правдоподобных тестовых данных. После каждого шага Keyferry ждёт, пока вы нажмёте «Далее».</translation>
    </message>
    <message>
        <source>The current step is highlighted in purple in the step list. This is useful for verifying that your workflow matches the form layout before running it with real data.</source>
        <translation>Текущий шаг выделяется фиолетовым в списке шагов. Так можно убедиться, что последовательность соответствует устройству формы, прежде чем запускать её с настоящими данными.</translation>
    </message>
    <message>
        <source>Saving</source>
        <translation>Сохранение</translation>
    </message>
    <message>
        <source>Templates are saved automatically after 2 seconds of inactivity. You can also save manually with Ctrl+S or the Save button. An orange dot indicates unsaved changes; a green checkmark confirms the save.</source>
        <translation>Шаблоны сохраняются автоматически через 2 секунды бездействия. Можно также сохранить вручную сочетанием Ctrl+S или кнопкой «Сохранить». Оранжевая точка означает несохранённые изменения; зелёная галочка подтверждает сохранение.</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>Дополнительные настройки</translation>
    </message>
    <message>
        <source>Countdown (sec)</source>
        <translation>Обратный отсчёт (с)</translation>
    </message>
    <message>
        <source>Delay before execution starts, giving you time to switch to the target app</source>
        <translation>Задержка перед началом выполнения, чтобы вы успели переключиться на целевую программу</translation>
    </message>
    <message>
        <source>Char Delay (sec)</source>
        <translation>Задержка символа (с)</translation>
    </message>
    <message>
        <source>Delay between individual keystrokes when typing text</source>
        <translation>Задержка между отдельными нажатиями клавиш при вводе текста</translation>
    </message>
    <message>
        <source>Default Post-Delay (sec)</source>
        <translation>Задержка после шага по умолчанию (с)</translation>
    </message>
    <message>
        <source>Delay after each step before the next one starts</source>
        <translation>Задержка после каждого шага перед началом следующего</translation>
    </message>
    <message>
        <source>Check typed text</source>
        <translation>Проверять введённый текст</translation>
    </message>
    <message>
        <source>Reads each field back after typing and pauses when it shows something else</source>
        <translation>Считывает каждое поле после ввода и ставит прогон на паузу, если оно показывает что-то другое</translation>
    </message>
    <message>
        <source>Clear field before typing</source>
        <translation>Очищать поле перед вводом</translation>
    </message>
    <message>
        <source>Selects all and deletes before each value. Turn it off for spreadsheets: there select-all takes the whole sheet. Off, each value is typed and followed by Tab</source>
        <translation>Перед каждым значением выделяет всё и удаляет. Для электронных таблиц выключите: там «выделить всё» захватывает весь лист. Если выключено, каждое значение вводится, а затем нажимается Tab</translation>
    </message>
    <message>
        <source>Individual steps can override the default post-delay via the Delay column in the step list.</source>
        <translation>Отдельные шаги могут переопределить задержку после шага по умолчанию в столбце задержки списка шагов.</translation>
    </message>
    <message>
        <source>Spreadsheets: a spreadsheet&apos;s own AutoCorrect (curly quotes, a capital first letter, completing from earlier entries) changes what lands in a cell after Keyferry typed it. Switch those options off in the spreadsheet for entries to arrive exactly as in the CSV file.</source>
        <translation>Электронные таблицы: собственная автозамена таблицы (типографские кавычки, заглавная первая буква, автозавершение по прежним записям) меняет то, что попадает в ячейку после ввода Keyferry. Отключите эти параметры в электронной таблице, чтобы записи попадали туда точно как в CSV-файле.</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Сочетания клавиш</translation>
    </message>
    <message>
        <source>Save template</source>
        <translation>Сохранить шаблон</translation>
    </message>
    <message>
        <source>Emergency stop (works globally)</source>
        <translation>Аварийная остановка (работает везде)</translation>
    </message>
    <message>
        <source>Scan next step (during recording)</source>
        <translation>Зафиксировать следующий шаг (во время записи)</translation>
    </message>
    <message>
        <source>Toggle field type (during recording)</source>
        <translation>Сменить тип поля (во время записи)</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Остановить запись</translation>
    </message>
    <message>
        <source>F1 or Ctrl+?</source>
        <translation>F1 или Ctrl+?</translation>
    </message>
    <message>
        <source>Open this help</source>
        <translation>Открыть эту справку</translation>
    </message>
    <message>
        <source>Troubleshooting</source>
        <translation>Устранение неполадок</translation>
    </message>
    <message>
        <source>Keys are typed incorrectly</source>
        <translation>Клавиши вводятся неправильно</translation>
    </message>
    <message>
        <source>Increase the Char Delay in Advanced Settings. Some apps need longer delays between keystrokes.</source>
        <translation>Увеличьте задержку символа в дополнительных настройках. Некоторым программам нужны более длинные паузы между нажатиями клавиш.</translation>
    </message>
    <message>
        <source>Target app loses focus</source>
        <translation>Целевая программа теряет фокус</translation>
    </message>
    <message>
        <source>The runner pauses automatically. Click Resume to continue. Make sure no notifications or popups steal focus.</source>
        <translation>Запуск автоматически приостанавливается. Нажмите «Продолжить», чтобы продолжить. Проследите, чтобы уведомления и всплывающие окна не перехватывали фокус.</translation>
    </message>
    <message>
        <source>Accessibility permission lost</source>
        <translation>Пропало разрешение специальных возможностей</translation>
    </message>
    <message>
        <source>If assistive technologies were turned off in your desktop&apos;s settings, turn them on again and restart the applications you fill in.</source>
        <translation>Если вспомогательные технологии были выключены в настройках рабочего стола, включите их снова и перезапустите программы, которые заполняете.</translation>
    </message>
    <message>
        <source>A run pauses with &quot;Field ... shows ..., expected ...&quot;</source>
        <translation>Прогон останавливается с сообщением «Поле … показывает …, ожидалось …»</translation>
    </message>
    <message>
        <source>The field did not take the value as typed: it may limit its length, refuse characters or complete what you type. Mend the field or the CSV, go back to the form&apos;s first field and Resume; or turn off Check typed text.</source>
        <translation>Поле приняло значение не в том виде, в каком оно было введено: возможно, оно ограничивает длину, отвергает символы или дополняет ввод. Исправьте поле или CSV, вернитесь к первому полю формы и нажмите «Продолжить» — или выключите «Проверять введённый текст».</translation>
    </message>
    <message>
        <source>Rows are &quot;entered&quot;, never &quot;verified&quot;</source>
        <translation>Строки «введены», но никогда не «проверены»</translation>
    </message>
    <message>
        <source>The target does not let Keyferry read its fields. Chromium shows web page fields to assistive technologies only when started with --force-renderer-accessibility (or while a screen reader runs); a spreadsheet&apos;s cells cannot be read while they are edited.</source>
        <translation>Целевая программа не даёт Keyferry читать свои поля. Chromium показывает поля веб-страниц вспомогательным технологиям, только если запущен с --force-renderer-accessibility (или пока работает экранный диктор); ячейки электронной таблицы нельзя прочитать, пока они редактируются.</translation>
    </message>
    <message>
        <source>CSV import fails</source>
        <translation>Импорт CSV не удаётся</translation>
    </message>
    <message>
        <source>Ensure the CSV uses semicolons (;) as delimiters and that column names exactly match your Text Input step labels.</source>
        <translation>Убедитесь, что в CSV в качестве разделителя используется точка с запятой (;) и что имена столбцов в точности совпадают с метками ваших шагов «Ввод текста».</translation>
    </message>
</context>
<context>
    <name>keyferry::MainWindow</name>
    <message>
        <source>No Template Selected</source>
        <translation>Шаблон не выбран</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>&amp;Paste Rows</source>
        <translation>&amp;Вставить строки</translation>
    </message>
    <message>
        <source>Take the rows on the clipboard, copied from a spreadsheet with the header row, as the table</source>
        <translation>Взять как таблицу строки из буфера обмена, скопированные из электронной таблицы вместе со строкой заголовка</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>Keyferry Help</source>
        <translation>Справка Keyferry</translation>
    </message>
</context>
<context>
    <name>keyferry::RecorderView</name>
    <message>
        <source>Tab = navigate  |  Alt+Space = toggle field type  |  Esc = stop</source>
        <translation>Tab = переход  |  Alt+Пробел = сменить тип поля  |  Esc = стоп</translation>
    </message>
    <message>
        <source>Tab = next field  |  Esc = stop</source>
        <translation>Tab = следующее поле  |  Esc = стоп</translation>
    </message>
    <message>
        <source>This desktop does not show Keyferry your keys and clicks, so steps come from the fields you move to. Return, arrow keys and clicks are not recorded: add them by hand afterwards. Click positions cannot be recorded here either: Wayland does not tell applications where the pointer is.</source>
        <translation>Этот рабочий стол не показывает Keyferry ваши нажатия клавиш и щелчки, поэтому шаги берутся из полей, в которые вы переходите. Enter, стрелки и щелчки не записываются: добавьте их потом вручную. Позиции щелчков здесь тоже не записать: Wayland не сообщает программам, где находится указатель.</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Recording is on</source>
        <translation>Идёт запись</translation>
    </message>
    <message>
        <source>Recording...</source>
        <translation>Запись...</translation>
    </message>
    <message>
        <source>Keyferry is recording the steps you take in the form</source>
        <translation>Keyferry записывает шаги, которые вы выполняете в форме</translation>
    </message>
    <message>
        <source>Number of recorded steps</source>
        <translation>Количество записанных шагов</translation>
    </message>
    <message>
        <source>How many steps have been recorded</source>
        <translation>Сколько шагов записано</translation>
    </message>
    <message>
        <source>Recording keys</source>
        <translation>Клавиши записи</translation>
    </message>
    <message>
        <source>The keys that steer the recording</source>
        <translation>Клавиши, управляющие записью</translation>
    </message>
    <message>
        <source>What cannot be recorded here</source>
        <translation>Что здесь нельзя записать</translation>
    </message>
    <message>
        <source>Add Return, arrow key and click steps in the template editor</source>
        <translation>Добавьте шаги Enter, стрелок и щелчков в редакторе шаблона</translation>
    </message>
    <message>
        <source>Detected field</source>
        <translation>Обнаруженное поле</translation>
    </message>
    <message>
        <source>The field the last step was named after</source>
        <translation>Поле, по которому назван последний шаг</translation>
    </message>
    <message>
        <source>Alt+Space warning</source>
        <translation>Предупреждение об Alt+Пробел</translation>
    </message>
    <message>
        <source>Another program also takes Alt+Space while Keyferry records</source>
        <translation>Другая программа тоже перехватывает Alt+Пробел, пока Keyferry записывает</translation>
    </message>
    <message>
        <source>Alt+Space also reaches the window manager here (it may open its window menu; press Esc to close it).</source>
        <translation>Здесь Alt+Пробел получает и оконный менеджер (он может открыть меню окна; закройте его клавишей Esc).</translation>
    </message>
    <message>
        <source>Recorded steps</source>
        <translation>Записанные шаги</translation>
    </message>
    <message>
        <source>The steps recorded so far</source>
        <translation>Шаги, записанные до сих пор</translation>
    </message>
    <message numerus="yes">
        <source>%n steps</source>
        <translation>
            <numerusform>%n шаг</numerusform>
            <numerusform>%n шага</numerusform>
            <numerusform>%n шагов</numerusform>
        </translation>
    </message>
    <message>
        <source>⌶ Detected: </source>
        <translation>⌶ Обнаружено: </translation>
    </message>
</context>
<context>
    <name>keyferry::RenameDelegate</name>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Имя шаблона</translation>
    </message>
    <message>
        <source>Press Return to rename</source>
        <translation>Нажмите Enter, чтобы переименовать</translation>
    </message>
</context>
<context>
    <name>keyferry::RunnerPanel</name>
    <message>
        <source>Ctrl+Shift+Esc = Stop</source>
        <translation>Ctrl+Shift+Esc = Стоп</translation>
    </message>
    <message>
        <source>Stops a run from any application</source>
        <translation>Останавливает прогон из любой программы</translation>
    </message>
    <message>
        <source>Runner status</source>
        <translation>Состояние прогона</translation>
    </message>
    <message>
        <source>Run results</source>
        <translation>Результаты прогона</translation>
    </message>
    <message>
        <source>Run Failed Rows</source>
        <translation>Повторить неудачные строки</translation>
    </message>
    <message>
        <source>Rows that did not land</source>
        <translation>Строки, которые не дошли</translation>
    </message>
    <message>
        <source>Each row the run did not enter, with what happened</source>
        <translation>Каждая строка, которую прогон не ввёл, и что произошло</translation>
    </message>
    <message>
        <source>From Entry:</source>
        <translation>С записи:</translation>
    </message>
    <message>
        <source>From entry</source>
        <translation>С записи</translation>
    </message>
    <message>
        <source>The first entry (row) of the table to enter</source>
        <translation>Первая вводимая запись (строка) таблицы</translation>
    </message>
    <message>
        <source>Pause when I type or click</source>
        <translation>Пауза, когда я печатаю или щёлкаю</translation>
    </message>
    <message>
        <source>Pause a run as soon as you use the keyboard or mouse (except while it waits for your click)</source>
        <translation>Приостанавливать прогон, как только вы используете клавиатуру или мышь (кроме ожидания вашего щелчка)</translation>
    </message>
    <message>
        <source>Test Run</source>
        <translation>Пробный прогон</translation>
    </message>
    <message>
        <source>Execute one entry</source>
        <translation>Выполнить одну запись</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Enter every entry from the first one chosen</source>
        <translation>Ввести все записи, начиная с выбранной</translation>
    </message>
    <message>
        <source>Starting</source>
        <translation>Запуск</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Do not start the run</source>
        <translation>Не запускать прогон</translation>
    </message>
    <message>
        <source>Run progress</source>
        <translation>Ход прогона</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Pause after the entry in progress</source>
        <translation>Пауза после текущей записи</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Stop the run now</source>
        <translation>Остановить прогон сейчас</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Ожидание</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Продолжить</translation>
    </message>
    <message>
        <source>Go on from the entry where the run paused</source>
        <translation>Продолжить с записи, на которой прогон приостановился</translation>
    </message>
    <message>
        <source>End the run</source>
        <translation>Завершить прогон</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>Resume from</source>
        <translation>Продолжить с</translation>
    </message>
    <message>
        <source>Go on with the entries not entered yet</source>
        <translation>Продолжить с ещё не введёнными записями</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Back to the start controls</source>
        <translation>Назад к кнопкам запуска</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a number of rows and their status</comment>
        <translation>%2: %1</translation>
    </message>
    <message>
        <source>Entry %1: %2%3</source>
        <translation>Запись %1: %2%3</translation>
    </message>
    <message numerus="yes">
        <source>%n not attempted</source>
        <translation>
            <numerusform>не начата: %n</numerusform>
            <numerusform>не начаты: %n</numerusform>
            <numerusform>не начато: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Results: </source>
        <translation>Результаты: </translation>
    </message>
    <message>
        <source>no rows</source>
        <translation>нет строк</translation>
    </message>
    <message numerus="yes">
        <source>Run again only the %n entries that did not land</source>
        <translation>
            <numerusform>Повторить только %n недошедшую запись</numerusform>
            <numerusform>Повторить только %n недошедшие записи</numerusform>
            <numerusform>Повторить только %n недошедших записей</numerusform>
        </translation>
    </message>
    <message>
        <source>Start in %1...</source>
        <translation>Старт через %1...</translation>
    </message>
    <message>
        <source>Entry %1 · %2 of %3 done</source>
        <translation>Запись %1 · готово %2 из %3</translation>
    </message>
    <message>
        <source>Click in target app... (%1/%2)</source>
        <translation>Щёлкните в целевой программе... (%1/%2)</translation>
    </message>
    <message>
        <source>Paused at entry %1/%2</source>
        <translation>Пауза на записи %1/%2</translation>
    </message>
    <message numerus="yes">
        <source>Done: %n successful</source>
        <translation>
            <numerusform>Готово: %n успешно</numerusform>
            <numerusform>Готово: %n успешно</numerusform>
            <numerusform>Готово: %n успешно</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n errors</source>
        <translation>
            <numerusform>, %n ошибка</numerusform>
            <numerusform>, %n ошибки</numerusform>
            <numerusform>, %n ошибок</numerusform>
        </translation>
    </message>
    <message>
        <source>Resume from %1</source>
        <translation>Продолжить с %1</translation>
    </message>
    <message numerus="yes">
        <source>The table has only %n entries</source>
        <translation>
            <numerusform>В таблице всего %n запись</numerusform>
            <numerusform>В таблице всего %n записи</numerusform>
            <numerusform>В таблице всего %n записей</numerusform>
        </translation>
    </message>
    <message>
        <source>A debug run is under way in the editor</source>
        <translation>В редакторе идёт отладочный прогон</translation>
    </message>
    <message>
        <source>Not on this desktop: %1. What you can do: %2</source>
        <translation>Недоступно в этой среде: %1. Что можно сделать: %2</translation>
    </message>
    <message>
        <source>The run&apos;s journal could not be written: %1</source>
        <translation>Не удалось записать журнал запуска: %1</translation>
    </message>
    <message>
        <source>The run&apos;s journal is incomplete: %1</source>
        <translation>Журнал запуска неполон: %1</translation>
    </message>
    <message>
        <source>The run&apos;s journal could not be read: %1</source>
        <translation>Не удалось прочитать журнал запуска: %1</translation>
    </message>
    <message>
        <source>The imported CSV file is not the one that run used, or it has changed since: import that file to run its failed rows.</source>
        <translation>Импортированный CSV-файл не тот, что использовался при запуске, или он с тех пор изменился: импортируйте тот файл, чтобы повторить его неудавшиеся строки.</translation>
    </message>
</context>
<context>
    <name>keyferry::StepTableAccessible</name>
    <message>
        <source>Step %1</source>
        <translation>Шаг %1</translation>
    </message>
</context>
<context>
    <name>keyferry::StepTableModel</name>
    <message>
        <source>@ Mouse Position</source>
        <translation>@ Позиция мыши</translation>
    </message>
    <message>
        <source>@ (%1, %2)</source>
        <translation>@ (%1, %2)</translation>
    </message>
    <message>
        <source>Checked before the step&apos;s first key: %1 %2</source>
        <translation>Проверяется перед первой клавишей шага: %1 %2</translation>
    </message>
    <message>
        <source>, id %1</source>
        <translation>, id %1</translation>
    </message>
    <message>
        <source>, in “%1”</source>
        <translation>, в «%1»</translation>
    </message>
    <message>
        <source>. Enter records it again, Delete clears it</source>
        <translation>. Enter записывает его заново, Delete очищает</translation>
    </message>
    <message>
        <source>Step %1</source>
        <translation>Шаг %1</translation>
    </message>
    <message>
        <source>Drag to move, or press Ctrl+Up or Ctrl+Down</source>
        <translation>Перетащите или нажмите Ctrl+Вверх или Ctrl+Вниз</translation>
    </message>
    <message>
        <source>Step %1 type, cannot run on this desktop</source>
        <translation>Тип шага %1, не выполняется на этом рабочем столе</translation>
    </message>
    <message>
        <source>Step %1 type</source>
        <translation>Тип шага %1</translation>
    </message>
    <message>
        <source>What the step does (F2 to change)</source>
        <translation>Что делает шаг (F2 — изменить)</translation>
    </message>
    <message>
        <source>Column Name</source>
        <translation>Имя столбца</translation>
    </message>
    <message>
        <source>Step %1 name</source>
        <translation>Имя шага %1</translation>
    </message>
    <message>
        <source>The CSV column this step types</source>
        <translation>Столбец CSV, который вводит этот шаг</translation>
    </message>
    <message>
        <source>Only Text Input steps name a column</source>
        <translation>Столбец указывают только шаги ввода текста</translation>
    </message>
    <message>
        <source>Step %1 fixed value</source>
        <translation>Фиксированное значение шага %1</translation>
    </message>
    <message>
        <source>Typed in every row instead of a CSV value; Space or the pin unpins it (use CSV value)</source>
        <translation>Вводится в каждой строке вместо значения из CSV; Пробел или булавка открепляет его (брать значение из CSV)</translation>
    </message>
    <message>
        <source>Set fixed value: Space or the pin</source>
        <translation>Задать фиксированное значение: Пробел или булавка</translation>
    </message>
    <message>
        <source>Step %1 arrow</source>
        <translation>Стрелка шага %1</translation>
    </message>
    <message>
        <source>The arrow key pressed</source>
        <translation>Нажимаемая клавиша со стрелкой</translation>
    </message>
    <message>
        <source>Step %1 mouse button</source>
        <translation>Кнопка мыши шага %1</translation>
    </message>
    <message>
        <source>The mouse button pressed</source>
        <translation>Нажимаемая кнопка мыши</translation>
    </message>
    <message>
        <source>Step %1 click type</source>
        <translation>Тип щелчка шага %1</translation>
    </message>
    <message>
        <source>A single or a double click</source>
        <translation>Одинарный или двойной щелчок</translation>
    </message>
    <message>
        <source>Step %1 click position</source>
        <translation>Позиция щелчка шага %1</translation>
    </message>
    <message>
        <source>Record click position: Enter or the target; Delete clears the position (use mouse position)</source>
        <translation>Записать позицию щелчка: Enter или мишень; Delete очищает позицию (брать позицию мыши)</translation>
    </message>
    <message>
        <source>Choose a target app to record a click position; Delete clears the position (use mouse position)</source>
        <translation>Выберите целевую программу, чтобы записать позицию щелчка; Delete очищает позицию (брать позицию мыши)</translation>
    </message>
    <message>
        <source>Step %1 field</source>
        <translation>Поле шага %1</translation>
    </message>
    <message>
        <source>No recorded field: the step is not checked. Enter records the field in the target app</source>
        <translation>Поле не записано: шаг не проверяется. Enter записывает поле в целевой программе</translation>
    </message>
    <message>
        <source>Step %1 delay (sec)</source>
        <translation>Задержка шага %1 (с)</translation>
    </message>
    <message>
        <source>Seconds to wait after the step</source>
        <translation>Сколько секунд ждать после шага</translation>
    </message>
    <message>
        <source>Step %1 repeat count</source>
        <translation>Число повторов шага %1</translation>
    </message>
    <message>
        <source>How often the step is repeated</source>
        <translation>Сколько раз повторяется шаг</translation>
    </message>
    <message>
        <source>This step is not repeated</source>
        <translation>Этот шаг не повторяется</translation>
    </message>
    <message>
        <source>Delete step %1</source>
        <translation>Удалить шаг %1</translation>
    </message>
    <message>
        <source>Enter or a click deletes the step</source>
        <translation>Enter или щелчок удаляет шаг</translation>
    </message>
    <message>
        <source>Step %1, %2</source>
        <translation>Шаг %1, %2</translation>
    </message>
    <message>
        <source>Delete the step</source>
        <translation>Удалить шаг</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Тип</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Fixed Value</source>
        <translation>Фиксированное значение</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Параметр</translation>
    </message>
    <message>
        <source>Click</source>
        <translation>Щелчок</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Позиция</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>Delay (sec)</source>
        <translation>Задержка (с)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Повтор</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>column header, short</comment>
        <translation>Тип</translation>
    </message>
    <message>
        <source>Name</source>
        <comment>column header, short</comment>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Fixed Value</source>
        <comment>column header, short</comment>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Option</source>
        <comment>column header, short</comment>
        <translation>Опция</translation>
    </message>
    <message>
        <source>Click</source>
        <comment>column header, short</comment>
        <translation>Щелчок</translation>
    </message>
    <message>
        <source>Position</source>
        <comment>column header, short</comment>
        <translation>Позиция</translation>
    </message>
    <message>
        <source>Field</source>
        <comment>column header, short</comment>
        <translation>Поле</translation>
    </message>
    <message>
        <source>Delay (sec)</source>
        <comment>column header, short</comment>
        <translation>Задержка</translation>
    </message>
    <message>
        <source>Repeat</source>
        <comment>column header, short</comment>
        <translation>Повт.</translation>
    </message>
</context>
<context>
    <name>keyferry::StoreStatusView</name>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Templates file problem</source>
        <translation>Проблема с файлом шаблонов</translation>
    </message>
    <message>
        <source>The templates file found at start could not be read; it is kept, never overwritten</source>
        <translation>Файл шаблонов, найденный при запуске, не удалось прочитать; он сохраняется и никогда не перезаписывается</translation>
    </message>
    <message>
        <source>Save problem</source>
        <translation>Проблема сохранения</translation>
    </message>
    <message>
        <source>The last save failed; this goes away when a save succeeds</source>
        <translation>Последнее сохранение не удалось; это исчезнет после успешного сохранения</translation>
    </message>
    <message>
        <source>Templates file status</source>
        <translation>Состояние файла шаблонов</translation>
    </message>
    <message>
        <source>Not saved: %1. Your changes are kept only while Keyferry runs.</source>
        <translation>Не сохранено: %1. Изменения хранятся, только пока работает Keyferry.</translation>
    </message>
    <message>
        <source>The templates file %1 could not be read: %2.</source>
        <translation>Не удалось прочитать файл шаблонов %1: %2.</translation>
    </message>
    <message>
        <source> The original was moved to %1.</source>
        <translation> Оригинал перемещён в %1.</translation>
    </message>
    <message>
        <source> It stays untouched and will be moved aside before the first save.</source>
        <translation> Он остаётся нетронутым и будет отложен в сторону перед первым сохранением.</translation>
    </message>
    <message>
        <source>The templates could not be saved.</source>
        <translation>Не удалось сохранить шаблоны.</translation>
    </message>
    <message>
        <source>

Your changes are kept only while Keyferry runs. Later save problems are shown at the bottom of the window.</source>
        <translation>

Изменения хранятся, только пока работает Keyferry. Дальнейшие проблемы сохранения показываются внизу окна.</translation>
    </message>
    <message>
        <source>Templates not saved</source>
        <translation>Шаблоны не сохранены</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateDetailView</name>
    <message>
        <source>Save status</source>
        <translation>Состояние сохранения</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Save the template now (Ctrl+S)</source>
        <translation>Сохранить шаблон сейчас (Ctrl+S)</translation>
    </message>
    <message>
        <source>Runner</source>
        <translation>Запуск</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Несохранённые изменения</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Сохранено</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Не сохранено: %1</translation>
    </message>
    <message>
        <source>Whether the template is saved</source>
        <translation>Сохранён ли шаблон</translation>
    </message>
    <message>
        <source>Hide Runner</source>
        <translation>Скрыть запуск</translation>
    </message>
    <message>
        <source>Show or hide the runner</source>
        <translation>Показать или скрыть панель запуска</translation>
    </message>
    <message>
        <source>Import a CSV file with entries first</source>
        <translation>Сначала импортируйте CSV-файл с записями</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateEditor</name>
    <message>
        <source>Template Name</source>
        <translation>Имя шаблона</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Имя шаблона</translation>
    </message>
    <message>
        <source>The name shown in the sidebar</source>
        <translation>Имя, показываемое на боковой панели</translation>
    </message>
    <message>
        <source>Target App</source>
        <translation>Целевая программа</translation>
    </message>
    <message>
        <source>The application that receives the input</source>
        <translation>Программа, которая получает ввод</translation>
    </message>
    <message>
        <source>⚠ Duplicate column names found!</source>
        <translation>⚠ Найдены повторяющиеся имена столбцов!</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Шаги</translation>
    </message>
    <message>
        <source>Drag a step, or press Ctrl+Up or Ctrl+Down, to move it; F2 or typing edits a cell</source>
        <translation>Перетащите шаг или нажмите Ctrl+Вверх или Ctrl+Вниз, чтобы переместить его; F2 или ввод текста правит ячейку</translation>
    </message>
    <message>
        <source>Debug step</source>
        <translation>Шаг отладки</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Далее</translation>
    </message>
    <message>
        <source>Execute the step shown</source>
        <translation>Выполнить показанный шаг</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>End the debug run</source>
        <translation>Завершить отладку</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Do not start the debug run</source>
        <translation>Не запускать отладку</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close the debug result</source>
        <translation>Закрыть результат отладки</translation>
    </message>
    <message>
        <source>Debug status</source>
        <translation>Состояние отладки</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Use the recorded steps</source>
        <translation>Использовать записанные шаги</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>Заменить все</translation>
    </message>
    <message>
        <source>Replace every step by the recorded ones</source>
        <translation>Заменить все шаги записанными</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Отбросить</translation>
    </message>
    <message>
        <source>Keep the template as it was</source>
        <translation>Оставить шаблон как был</translation>
    </message>
    <message>
        <source>Insert After Step</source>
        <translation>Вставить после шага</translation>
    </message>
    <message>
        <source>Insert the recorded steps after the step chosen</source>
        <translation>Вставить записанные шаги после выбранного шага</translation>
    </message>
    <message>
        <source>Insert position</source>
        <translation>Место вставки</translation>
    </message>
    <message>
        <source>Where the recorded steps go</source>
        <translation>Куда попадут записанные шаги</translation>
    </message>
    <message>
        <source>Add Step</source>
        <translation>Добавить шаг</translation>
    </message>
    <message>
        <source>Append a Tab step</source>
        <translation>Добавить шаг Tab в конец</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Удалить все</translation>
    </message>
    <message>
        <source>Remove every step</source>
        <translation>Удалить все шаги</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Отладка</translation>
    </message>
    <message>
        <source>Test workflow step-by-step in the target app (with placeholder data)</source>
        <translation>Проверить сценарий по шагам в целевой программе (с тестовыми данными)</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>Record the steps while you work through the form (Esc in the form stops)</source>
        <translation>Записать шаги, пока вы проходите форму (Esc в форме останавливает)</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>Дополнительные настройки</translation>
    </message>
    <message>
        <source>Show or hide the timing settings</source>
        <translation>Показать или скрыть настройки времени</translation>
    </message>
    <message>
        <source>Countdown (sec)</source>
        <translation>Обратный отсчёт (с)</translation>
    </message>
    <message>
        <source>Char Delay (sec)</source>
        <translation>Задержка символа (с)</translation>
    </message>
    <message>
        <source>Default Post-Delay (sec)</source>
        <translation>Задержка после шага по умолчанию (с)</translation>
    </message>
    <message>
        <source>Check typed text</source>
        <translation>Проверять введённый текст</translation>
    </message>
    <message>
        <source>Read each field back after typing and pause the run when it does not show what was typed</source>
        <translation>Считывать каждое поле после ввода и приостанавливать прогон, если оно показывает не то, что введено</translation>
    </message>
    <message>
        <source>Clear field before typing</source>
        <translation>Очищать поле перед вводом</translation>
    </message>
    <message>
        <source>Select all and delete before typing a value; turn off for spreadsheets, where select-all takes the whole sheet</source>
        <translation>Выделять всё и удалять перед вводом значения; отключите для электронных таблиц, где «выделить всё» захватывает весь лист</translation>
    </message>
    <message>
        <source>Wait for the next field</source>
        <translation>Ждать следующее поле</translation>
    </message>
    <message>
        <source>Go on as soon as the next step&apos;s recorded field has the focus and is ready, instead of waiting each step&apos;s delay</source>
        <translation>Продолжать, как только записанное поле следующего шага получило фокус и готово, а не ждать задержку каждого шага</translation>
    </message>
    <message>
        <source>Longest Field Wait (sec)</source>
        <translation>Макс. ожидание поля (с)</translation>
    </message>
    <message>
        <source>How long a run waits for the next step&apos;s field before it pauses</source>
        <translation>Сколько прогон ждёт поле следующего шага, прежде чем приостановиться</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message numerus="yes">
        <source>%n steps recorded</source>
        <translation>
            <numerusform>Записан %n шаг</numerusform>
            <numerusform>Записано %n шага</numerusform>
            <numerusform>Записано %n шагов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Existing workflow has %n steps</source>
        <translation>
            <numerusform>В текущем сценарии %n шаг</numerusform>
            <numerusform>В текущем сценарии %n шага</numerusform>
            <numerusform>В текущем сценарии %n шагов</numerusform>
        </translation>
    </message>
    <message>
        <source>Beginning</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>Debug starts in %1...</source>
        <translation>Отладка начнётся через %1...</translation>
    </message>
    <message>
        <source>Debug complete</source>
        <translation>Отладка завершена</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateListModel</name>
    <message>
        <source>%1 (not saved: %2)</source>
        <translation>%1 (не сохранено: %2)</translation>
    </message>
    <message>
        <source>Unnamed template</source>
        <translation>Безымянный шаблон</translation>
    </message>
    <message>
        <source>, not saved</source>
        <translation>, не сохранено</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateSidebar</name>
    <message>
        <source>Templates</source>
        <translation>Шаблоны</translation>
    </message>
    <message>
        <source>New template</source>
        <translation>Новый шаблон</translation>
    </message>
    <message>
        <source>Right-click a template to rename, duplicate or delete it</source>
        <translation>Щёлкните шаблон правой кнопкой, чтобы переименовать, дублировать или удалить его</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Переименовать</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Дублировать</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>New Template</source>
        <comment>a new template&apos;s name</comment>
        <translation>Новый шаблон</translation>
    </message>
    <message>
        <source>%1 (Copy)</source>
        <comment>a duplicated template&apos;s name</comment>
        <translation>%1 (копия)</translation>
    </message>
</context>
</TS>
