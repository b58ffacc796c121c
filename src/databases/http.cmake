# Downloads over HTTP(S): the fetch, the download step around it and the libcurl backend.
find_package(CURL REQUIRED)

target_sources(tamberlin_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/curl_http_client.cpp
  ${CMAKE_CURRENT_LIST_DIR}/download_sources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/downloader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fetch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_url.cpp
  ${CMAKE_CURRENT_LIST_DIR}/internet_error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/server_settings.cpp
)
target_link_libraries(tamberlin_core PUBLIC CURL::libcurl)
