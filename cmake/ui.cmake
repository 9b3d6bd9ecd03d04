# The Qt program, in layers that link only the layers below them, the
# station table library and Qt (see layers.cmake). Every layer under the
# program is one folder, from the bottom up:
#   texts/    kanvio_texts    the text table, the settings file, the version
#   fields/   kanvio_fields   the field catalogue, the option tables, the
#                             character sets, the option pages' controls
#   options/  kanvio_options  the station settings dialog
#   output/   kanvio_output   CSV, printing, clipboard
# The program itself, kanvio_ui, is app/, views/ and commands/: views and
# commands see the main window only through views/editorwindow.h, which
# MainWindow in app/ implements. The tests link exactly what the program
# runs.
# Qt 6 keeps QTextCodec, which the character sets of station names are
# decoded with, in Core5Compat.
if(KANVIO_QT_MAJOR EQUAL 6)
  find_package(Qt6 6.2 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Concurrent LinguistTools Core5Compat)
  set(kanvio_text_codec Qt::Core5Compat)
else()
  find_package(Qt5 5.15 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Concurrent LinguistTools)
  set(kanvio_text_codec)
endif()
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

kanvio_layer(kanvio_texts LINKS Qt::Gui)
kanvio_layer(kanvio_fields LINKS kanvio_texts svl Qt::Widgets ${kanvio_text_codec})
kanvio_layer(kanvio_options LINKS kanvio_fields kanvio_texts svl Qt::Widgets)
kanvio_layer(kanvio_output LINKS kanvio_fields svl Qt::PrintSupport)
kanvio_layer(kanvio_ui LINKS kanvio_options kanvio_output kanvio_fields kanvio_texts svl kanvio_net Qt::Widgets
  Qt::PrintSupport Qt::Concurrent)

add_subdirectory(resources)
add_subdirectory(texts)
add_subdirectory(fields)
add_subdirectory(app)
add_subdirectory(views)
add_subdirectory(commands)
add_subdirectory(options)
add_subdirectory(output)

# Only the Qt targets need moc and rcc; the plain libraries' tests and
# benchmarks made after this point do not.
unset(CMAKE_AUTOMOC)
unset(CMAKE_AUTORCC)
