# The .dat container, the DMR user database and the last-heard list.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LZ4 REQUIRED IMPORTED_TARGET liblz4)
target_link_libraries(tamberlin_core PUBLIC PkgConfig::LZ4)

target_sources(tamberlin_core PRIVATE
  country_list.cpp
  csv_fields.cpp
  dat_container.cpp
  database_csv.cpp
  database_folder.cpp
  database_parse.cpp
  database_view.cpp
  last_heard.cpp
  record_set.cpp
  record_sort.cpp
  t_database_file_entry.cpp
  user_database.cpp
)
